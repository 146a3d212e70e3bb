// Start-up and shutdown: the settings and hint memory, and the command line.
#include <QLineEdit>
#include <QScreen>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/command_line.h"
#include "model/store/hint_memory.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// A program folder without help or settings; the window comes back where it was left.
TEST(AppLifecycleTest, StartsWithWhatItsProgramFolderHoldsAndWritesTheSettingsAtExit) {
    TempFolder folder;
    const std::string path = folder.Write("game.klu", SampleHintFile());
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    {
        FakeUserDialogs* dialogs = nullptr;
        auto first = StartApp(folder.path(), "", &dialogs);
        AppState& state = first->State();
        EXPECT_EQ(state.helpDocument.GetRoot(), nullptr);
        EXPECT_FALSE(state.FileLoaded());
        EXPECT_TRUE(dialogs->messages.empty());
        EXPECT_EQ(state.settings.listFolder, state.programFolder);
        EXPECT_EQ(first->Window()->size(), desktop.size() * 4 / 5);
        first->Window()->setGeometry(30, 40, 500, 400);
        ASSERT_TRUE(LoadFileAt(path, state.currentDocument));
        state.currentPath = path;
        state.settings.listFolder = "/listing/here";
        EXPECT_EQ(ReadFile(folder / "KLUWIN.INI").find("/listing/here"), std::string::npos);
    }
    ProfileFile profile(folder / "KLUWIN.INI");
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "InstallDir", ""), "/listing/here");
    EXPECT_NE(profile.ReadProfileString("Memory", MemoryKeyOf(path), "none"), "none");
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "Frame", ""), "30,40,500,400,0");
    auto again = StartApp(folder.path());
    EXPECT_EQ(again->Window()->geometry(), QRect(30, 40, 500, 400));
}

// The file named at start, the top window's icon and the filter's clear button cost more than
// the first picture needs: each comes once the window has painted, or at exit without a paint.
TEST(AppLifecycleTest, WhatNoOneSeesYetWaitsForTheFirstPaint) {
    TempFolder folder;
    const std::string path = folder.Write("game.klu", SampleHintFile());
    const ProfileFile profile(folder / "KLUWIN.INI");
    auto recent = [&] { return profile.ReadProfileString("MRU", "MRU0", ""); };
    std::unique_ptr<ReaderApp> app = StartApp(folder.path(), path);
    MainWindow& frame = *app->Window();
    const QLineEdit& filter = *frame.Contents().findChild<QLineEdit*>();
    const std::vector<std::pair<const char*, std::function<bool()>>> waiting = {
        {"recent file", [&] { return recent() == path; }},
        {"window icon", [&] { return !frame.windowIcon().isNull(); }},
        {"clear button", [&] { return filter.isClearButtonEnabled(); }},
    };
    for (const auto& [what, done] : waiting)
        EXPECT_FALSE(done()) << what;
    (void)QTest::qWaitFor([&] {
        return std::all_of(waiting.begin(), waiting.end(), [](const auto& row) { return row.second(); });
    });
    for (const auto& [what, done] : waiting)
        EXPECT_TRUE(done()) << what;

    std::filesystem::remove(profile.Path());
    StartApp(folder.path(), path).reset();
    EXPECT_EQ(recent(), path) << "written at exit";
}

TEST(AppLifecycleTest, ReadsTheHelpFileWhenHelpIsFirstAskedFor) {
    TempFolder folder;
    WriteFile(folder / kHelpFileName, SampleHintFile("Reader Help"));
    FakeUserDialogs* dialogs = nullptr;
    auto app = StartApp(folder.path(), "", &dialogs);
    EXPECT_EQ(app->State().helpDocument.GetRoot(), nullptr);
    app->Window()->Client().ShowHelpFile();
    EXPECT_TRUE(dialogs->messages.empty());
    const Hunk* root = app->State().helpDocument.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->hasView) << "its top window is shown";
}

// Switches in any letter case, anything else a path; only the first argument counts and
// relative paths become absolute.
TEST(CommandLineTest, SwitchesAndPaths) {
    const struct {
        const char* argument;
        CommandLineAction::Kind kind;
    } cases[] = {
        {"/hElP", CommandLineAction::ShowHelp},    {"/VERBOSE", CommandLineAction::VerboseListing},
        {"game.klu", CommandLineAction::OpenFile}, {"/HELPX", CommandLineAction::OpenFile},
        {"HELP", CommandLineAction::OpenFile},
    };
    for (const auto& c : cases) {
        const CommandLineAction action = ParseCommandArgument(c.argument);
        EXPECT_EQ(action.kind, c.kind) << c.argument;
        EXPECT_EQ(action.path, c.kind == CommandLineAction::OpenFile ? c.argument : "");
    }
    EXPECT_EQ(ParseCommandArgument(""), CommandLineAction{});
    EXPECT_EQ(CommandArgumentOf({"kluwin", "/help", "other.klu"}), "/help");
    // Regression: the reader changes folder at start-up, so a relative path must not stay relative.
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(CommandArgumentOf({"kluwin", "games/demo.klu"}), here + "/games/demo.klu");
}

}  // namespace
}  // namespace klu::test
