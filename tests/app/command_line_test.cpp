// The command line: switches in any letter case, a path, and what the frame does with each.
#include <filesystem>

#include "app/command_line.h"
#include "frame_fixture.h"

namespace klu::test {
namespace {

TEST(CommandLineTest, SwitchesInAnyLetterCase) {
    for (const char* argument : {"/HELP", "/help", "/Help", "/hElP"})
        EXPECT_EQ(ParseCommandArgument(argument).kind, CommandLineAction::ShowHelp) << argument;
    for (const char* argument : {"/VERBOSE", "/verbose", "/Verbose", "/vErBoSe"})
        EXPECT_EQ(ParseCommandArgument(argument).kind, CommandLineAction::VerboseListing)
            << argument;
}

TEST(CommandLineTest, AnythingElseIsAPath) {
    for (const char* argument : {"game.klu", "/HELPX", "/HEL", "HELP", "/verbose ", "/"}) {
        const CommandLineAction action = ParseCommandArgument(argument);
        EXPECT_EQ(action.kind, CommandLineAction::OpenFile) << argument;
        EXPECT_EQ(action.path, argument);
    }
}

TEST(CommandLineTest, EmptyArgumentDoesNothing) {
    EXPECT_EQ(ParseCommandArgument(""), CommandLineAction{});
}

TEST(CommandLineTest, OnlyTheFirstArgumentCounts) {
    EXPECT_EQ(CommandArgumentOf({"kluwin"}), "");
    EXPECT_EQ(CommandArgumentOf({"kluwin", "/help", "other.klu"}), "/help");
    EXPECT_EQ(CommandArgumentOf({}), "");
    // Regression: the reader changes folder at start-up, so a relative path must not stay relative.
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(CommandArgumentOf({"kluwin", "games/demo.klu"}), here + "/games/demo.klu");
    EXPECT_EQ(CommandArgumentOf({"kluwin", "./demo.klu"}), here + "/demo.klu");
    EXPECT_EQ(CommandArgumentOf({"kluwin", "/abs/demo.klu"}), "/abs/demo.klu");
}

TEST(CommandLineTest, HelpAndVersionAnswerWithoutStarting) {
    for (const char* option : {"--help", "-h"}) {
        const std::optional<std::string> usage = ConsoleAnswerOf({"kluwin", option});
        ASSERT_TRUE(usage.has_value()) << option;
        EXPECT_EQ(usage->rfind("usage: kluwin [FILE | /HELP | /VERBOSE]\n", 0), 0u) << *usage;
        EXPECT_NE(usage->find("--version"), std::string::npos);
    }
    const std::optional<std::string> version = ConsoleAnswerOf({"kluwin", "--version"});
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(*version, std::string("kluwin ") + KLU_VERSION + "\n");
}

TEST(CommandLineTest, EverythingElseStartsTheReader) {
    EXPECT_FALSE(ConsoleAnswerOf({}).has_value());
    EXPECT_FALSE(ConsoleAnswerOf({"kluwin"}).has_value());
    for (const char* argument : {"/HELP", "/verbose", "game.klu", "--HELP", "--helpx", "-help", ""})
        EXPECT_FALSE(ConsoleAnswerOf({"kluwin", argument}).has_value()) << argument;
    // Only the first argument counts, as for the switches.
    EXPECT_FALSE(ConsoleAnswerOf({"kluwin", "game.klu", "--help"}).has_value());
}

// The frame acts on the argument of its state.
class FrameCommandLineTest : public ::testing::Test {
  protected:
    // The messages the command line led to; listed tells whether a listing window opened.
    std::vector<FakeUserDialogs::Message> Run(const std::string& argument, bool* listed = nullptr) {
        AppState state(folder.path(), argument, NoEnvironment);
        state.settings.listFolder = folder.path();
        TKLUMDIFrame frame(state, dialogs);
        frame.RunCommandLine();
        if (listed) *listed = !frame.Client().listWindow.isNull();
        return dialogs.messages;
    }
    TempFolder folder;
    FakeUserDialogs dialogs;
};

TEST_F(FrameCommandLineTest, NoArgumentShowsNothing) {
    EXPECT_TRUE(Run("").empty());
}

TEST_F(FrameCommandLineTest, EachArgumentReachesItsCommand) {
    // This program folder has no help file.
    const auto help = Run("/Help");
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].text, "Unable to locate help file.");

    dialogs.messages.clear();
    bool listed = false;
    EXPECT_TRUE(Run("/verbose", &listed).empty());
    EXPECT_TRUE(listed);

    dialogs.messages.clear();
    const auto open = Run("some game.klu");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_NE(open[0].text.find("some game.klu"), std::string::npos) << open[0].text;
}

}  // namespace
}  // namespace klu::test
