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

// The frame acts on the argument of its state.
class FrameCommandLineTest : public ::testing::Test {
  protected:
    std::vector<FakeUserDialogs::Message> Run(const std::string& argument) {
        AppState state(folder.path(), argument, NoEnvironment);
        TKLUMDIFrame frame(state, dialogs);
        frame.RunCommandLine();
        return dialogs.messages;
    }
    TempFolder folder;
    FakeUserDialogs dialogs;
};

TEST_F(FrameCommandLineTest, NoArgumentShowsNothing) {
    EXPECT_TRUE(Run("").empty());
}

TEST_F(FrameCommandLineTest, EachArgumentReachesItsCommand) {
    const auto help = Run("/Help");
    ASSERT_EQ(help.size(), 1u);
    EXPECT_NE(help[0].text.find("Show Help File"), std::string::npos) << help[0].text;

    dialogs.messages.clear();
    const auto verbose = Run("/verbose");
    ASSERT_EQ(verbose.size(), 1u);
    EXPECT_NE(verbose[0].text.find("Verbose File Listing"), std::string::npos) << verbose[0].text;

    dialogs.messages.clear();
    const auto open = Run("some game.klu");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_NE(open[0].text.find("some game.klu"), std::string::npos) << open[0].text;
}

}  // namespace
}  // namespace klu::test
