// Start-up and shutdown: the help file, the settings, and the command line.
#include <filesystem>

#include "app/command_line.h"
#include "model/hint_memory.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

TEST(AppLifecycleTest, StartsWithWhatItsOwnProgramFolderHolds) {
    TempFolder empty;
    FakeUserDialogs* dialogs = nullptr;
    auto bare = StartApp(empty.path(), "", &dialogs);
    ASSERT_NE(bare->MainWindow(), nullptr);
    EXPECT_EQ(bare->State().helpDocument.GetRoot(), nullptr);
    EXPECT_FALSE(bare->State().FileLoaded());
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_EQ(bare->State().settings.listFolder, bare->State().programFolder);

    // A second application beside it, with a help file and settings of its own.
    TempFolder full;
    WriteFile(full / "RORED.KLU", SampleHintFile("KLU Reader Documentation"));
    WriteFile(full / "KLUWIN.INI", "[KLUWIN]\nInstallDir=/somewhere/else\n");
    auto app = StartApp(full.path());
    THunk* help = app->State().helpDocument.GetRoot();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->GetName(), "KLU Reader Documentation");
    EXPECT_FALSE(app->State().FileLoaded()) << "the help file is not the user's file";
    EXPECT_EQ(app->State().settings.listFolder, "/somewhere/else");
    EXPECT_EQ(bare->State().helpDocument.GetRoot(), nullptr);
    EXPECT_NE(bare->State().profile.Path(), app->State().profile.Path());
}

TEST(AppLifecycleTest, WritesSettingsAndHintMemoryAtExit) {
    TempFolder folder;
    const std::string path = folder / "game.klu";
    WriteFile(path, SampleHintFile());
    {
        auto app = StartApp(folder.path());
        AppState& state = app->State();
        LoadResult result = LoadOk;
        ASSERT_TRUE(LoadHintFileAt(path, state.currentDocument, false, result));
        state.currentPath = path;
        state.settings.listFolder = "/listing/here";
        EXPECT_EQ(ReadFile(folder / "KLUWIN.INI").find("/listing/here"), std::string::npos);
    }
    ProfileFile profile(folder / "KLUWIN.INI");
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "InstallDir", ""), "/listing/here");
    EXPECT_NE(profile.ReadProfileString("Memory", MemoryKeyOf(path), "none"), "none");
}

// An installed reader: the program in PREFIX/bin/, its help file in PREFIX/share/kluwin/.
TEST(HelpFilePathTest, BesideTheProgramThenInstalledThenBesideAgain) {
    EXPECT_EQ(ProgramFolderOf("/usr/local/bin/kluwin"), "/usr/local/bin/");
    EXPECT_EQ(ProgramFolderOf("/kluwin"), "/");

    TempFolder prefix;
    const std::string bin = prefix / "bin", share = prefix / "share/kluwin";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share + "/RORED.KLU");
    // Missing everywhere (a folder of that name is no help file): the place beside the program.
    EXPECT_EQ(HelpFilePathFor(bin + "/"), bin + "/RORED.KLU");

    std::filesystem::remove(share + "/RORED.KLU");
    WriteFile(share + "/RORED.KLU", SampleHintFile("Installed"));
    EXPECT_EQ(HelpFilePathFor(bin + "/"), share + "/RORED.KLU");
    auto app = StartApp(bin + "/");
    EXPECT_EQ(app->State().helpFilePath, share + "/RORED.KLU");
    ASSERT_NE(app->State().helpDocument.GetRoot(), nullptr);
    EXPECT_EQ(app->State().helpDocument.GetRoot()->GetName(), "Installed");

    WriteFile(bin + "/RORED.KLU", SampleHintFile("Beside"));
    EXPECT_EQ(HelpFilePathFor(bin + "/"), bin + "/RORED.KLU");
    EXPECT_EQ(HelpFilePathFor(bin), bin + "/RORED.KLU") << "a folder without its final slash";
}

TEST(CommandLineTest, SwitchesInAnyLetterCaseAnythingElseIsAPath) {
    const struct {
        const char* argument;
        CommandLineAction::Kind kind;
    } cases[] = {
        {"/HELP", CommandLineAction::ShowHelp},
        {"/hElP", CommandLineAction::ShowHelp},
        {"/VERBOSE", CommandLineAction::VerboseListing},
        {"/vErBoSe", CommandLineAction::VerboseListing},
        {"game.klu", CommandLineAction::OpenFile},
        {"/HELPX", CommandLineAction::OpenFile},
        {"/HEL", CommandLineAction::OpenFile},
        {"HELP", CommandLineAction::OpenFile},
        {"/verbose ", CommandLineAction::OpenFile},
        {"/", CommandLineAction::OpenFile},
    };
    for (const auto& c : cases) {
        const CommandLineAction action = ParseCommandArgument(c.argument);
        EXPECT_EQ(action.kind, c.kind) << c.argument;
        EXPECT_EQ(action.path, c.kind == CommandLineAction::OpenFile ? c.argument : "");
    }
    EXPECT_EQ(ParseCommandArgument(""), CommandLineAction{});
}

TEST(CommandLineTest, OnlyTheFirstArgumentCountsAndRelativePathsBecomeAbsolute) {
    EXPECT_EQ(CommandArgumentOf({}), "");
    EXPECT_EQ(CommandArgumentOf({"kluwin"}), "");
    EXPECT_EQ(CommandArgumentOf({"kluwin", "/help", "other.klu"}), "/help");
    // Regression: the reader changes folder at start-up, so a relative path must not stay relative.
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(CommandArgumentOf({"kluwin", "games/demo.klu"}), here + "/games/demo.klu");
    EXPECT_EQ(CommandArgumentOf({"kluwin", "./demo.klu"}), here + "/demo.klu");
    EXPECT_EQ(CommandArgumentOf({"kluwin", "/abs/demo.klu"}), "/abs/demo.klu");
}

TEST(CommandLineTest, HelpAndVersionAnswerWithoutStartingTheReader) {
    for (const char* option : {"--help", "-h"}) {
        const std::optional<std::string> usage = ConsoleAnswerOf({"kluwin", option});
        ASSERT_TRUE(usage.has_value()) << option;
        EXPECT_TRUE(usage->starts_with("usage: kluwin [FILE | /HELP | /VERBOSE]\n")) << *usage;
        EXPECT_NE(usage->find("--version"), std::string::npos);
    }
    EXPECT_EQ(ConsoleAnswerOf({"kluwin", "--version"}),
              std::string("kluwin ") + KLU_VERSION + "\n");
    EXPECT_FALSE(ConsoleAnswerOf({}).has_value());
    for (const char* argument : {"/HELP", "game.klu", "--HELP", "--helpx", "-help", ""})
        EXPECT_FALSE(ConsoleAnswerOf({"kluwin", argument}).has_value()) << argument;
    EXPECT_FALSE(ConsoleAnswerOf({"kluwin", "game.klu", "--help"}).has_value());
}

TEST(CommandLineTest, TheFrameRunsEachArgumentsCommand) {
    TempFolder folder;
    FakeUserDialogs dialogs;
    // The messages the argument led to; listed tells whether a listing window opened.
    auto run = [&](const std::string& argument, bool* listed = nullptr) {
        dialogs.messages.clear();
        AppState state(folder.path(), argument, NoEnvironment);
        state.settings.listFolder = folder.path();
        TKLUMDIFrame frame(state, dialogs);
        frame.RunCommandLine();
        if (listed) *listed = !frame.Client().listWindow.isNull();
        return dialogs.messages;
    };
    EXPECT_TRUE(run("").empty());
    const auto help = run("/Help");  // this program folder has no help file
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].text, "Unable to locate help file.");
    bool listed = false;
    EXPECT_TRUE(run("/verbose", &listed).empty());
    EXPECT_TRUE(listed);
    const auto open = run("some game.klu");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_NE(open[0].text.find("some game.klu"), std::string::npos) << open[0].text;
}

}  // namespace
}  // namespace klu::test
