// Start-up and shutdown of the application object: the help file, the settings and their order.
#include <filesystem>

#include "app/klu_app.h"
#include "frame_fixture.h"
#include "model/hint_memory.h"
#include "model/hunk.h"

namespace klu::test {
namespace {

class AppLifecycleTest : public ::testing::Test {
  protected:
    std::unique_ptr<TKLUApp> MakeApp(const std::string& argument = std::string()) {
        auto fake = std::make_unique<FakeUserDialogs>();
        dialogs = fake.get();
        auto app =
            std::make_unique<TKLUApp>(folder.path(), argument, std::move(fake), NoEnvironment);
        app->BuildMainWindow(false);
        return app;
    }
    std::string ProfilePath() const { return folder / "KLUWIN.INI"; }

    TempFolder folder;
    FakeUserDialogs* dialogs = nullptr;
};

TEST_F(AppLifecycleTest, StartsWithoutHelpFileOrProfile) {
    auto app = MakeApp();
    ASSERT_NE(app->MainWindow(), nullptr);
    EXPECT_EQ(app->State().helpDocument.GetRoot(), nullptr);
    EXPECT_FALSE(app->State().FileLoaded());
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_EQ(app->State().settings.listFolder, app->State().programFolder);
}

TEST_F(AppLifecycleTest, LoadsTheHelpFileBesideTheProgram) {
    WriteFile(folder / "RORED.KLU", SampleHintFile("KLU Reader Documentation"));
    auto app = MakeApp();
    THunk* root = app->State().helpDocument.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "KLU Reader Documentation");
    EXPECT_FALSE(app->State().FileLoaded()) << "the help file is not the user's file";
}

TEST_F(AppLifecycleTest, ReadsSettingsAtStart) {
    WriteFile(ProfilePath(), "[KLUWIN]\nInstallDir=/somewhere/else\n");
    auto app = MakeApp();
    EXPECT_EQ(app->State().settings.listFolder, "/somewhere/else");
}

TEST_F(AppLifecycleTest, WritesSettingsAndHintMemoryAtExit) {
    const std::string path = folder / "game.klu";
    WriteFile(path, SampleHintFile());
    {
        auto app = MakeApp();
        AppState& state = app->State();
        LoadResult result = LoadOk;
        ASSERT_TRUE(LoadHintFileAt(path, state.currentDocument, false, result));
        state.currentPath = path;
        state.settings.listFolder = "/listing/here";
        EXPECT_EQ(ReadFile(ProfilePath()).find("/listing/here"), std::string::npos);
    }
    ProfileFile profile(ProfilePath());
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "InstallDir", ""), "/listing/here");
    EXPECT_NE(profile.ReadProfileString("Memory", MemoryKeyOf(path), "none"), "none");
}

TEST_F(AppLifecycleTest, SeveralApplicationsKeepTheirOwnState) {
    TempFolder other;
    WriteFile(other / "RORED.KLU", SampleHintFile("Other Help"));
    auto first = MakeApp();
    TKLUApp second(other.path(), "", std::make_unique<FakeUserDialogs>(), NoEnvironment);
    second.BuildMainWindow(false);
    EXPECT_EQ(first->State().helpDocument.GetRoot(), nullptr);
    ASSERT_NE(second.State().helpDocument.GetRoot(), nullptr);
    EXPECT_NE(first->State().profile.Path(), second.State().profile.Path());
}

TEST(ProgramFolderTest, FolderOfTheProgramEndsInSlash) {
    EXPECT_EQ(ProgramFolderOf("/usr/local/bin/kluwin"), "/usr/local/bin/");
    EXPECT_EQ(ProgramFolderOf("/kluwin"), "/");
}

// An installed reader: the program in PREFIX/bin/, its help file in PREFIX/share/kluwin/.
class HelpFilePathTest : public ::testing::Test {
  protected:
    HelpFilePathTest() {
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(share);
    }
    TempFolder prefix;
    const std::string bin = prefix / "bin";
    const std::string share = prefix / "share/kluwin";
};

TEST_F(HelpFilePathTest, BesideTheProgramComesFirst) {
    WriteFile(bin + "/RORED.KLU", SampleHintFile("Beside"));
    WriteFile(share + "/RORED.KLU", SampleHintFile("Installed"));
    EXPECT_EQ(HelpFilePathFor(bin + "/"), bin + "/RORED.KLU");
    EXPECT_EQ(HelpFilePathFor(bin), bin + "/RORED.KLU") << "a folder without its final slash";
}

TEST_F(HelpFilePathTest, InstalledHelpFileWhenNoneIsBesideTheProgram) {
    WriteFile(share + "/RORED.KLU", SampleHintFile("Installed"));
    EXPECT_EQ(HelpFilePathFor(bin + "/"), share + "/RORED.KLU");

    auto fake = std::make_unique<FakeUserDialogs>();
    TKLUApp app(bin + "/", "", std::move(fake), NoEnvironment);
    app.BuildMainWindow(false);
    EXPECT_EQ(app.State().helpFilePath, share + "/RORED.KLU");
    THunk* root = app.State().helpDocument.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "Installed");
}

TEST_F(HelpFilePathTest, MissingEverywhereNamesThePlaceBesideTheProgram) {
    EXPECT_EQ(HelpFilePathFor(bin + "/"), bin + "/RORED.KLU");
    // A folder of that name is not a help file.
    std::filesystem::create_directories(share + "/RORED.KLU");
    EXPECT_EQ(HelpFilePathFor(bin + "/"), bin + "/RORED.KLU");
}

}  // namespace
}  // namespace klu::test
