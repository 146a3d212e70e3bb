// klu export: the numbered plain text of a file, written to stdout or to OUT, and nothing at all
// when the load fails. No command writes its result over its own input, under any name or link.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_support.h"
#include "model/document/file_messages.h"
#include "model/files/zip_members.h"

namespace klu::cli_test {
namespace {

namespace fs = std::filesystem;

// The flattening rules are the model's business; here an older-format file, its title bytes
// written as they are.
std::string Cafe() {
    return Bytes(OlderFormatPlan("Caf\xE9"));
}

const std::string kCafeText =
    "KLU: Hints for Caf\xE9\n\n\n1. Old subject\n\n\n1.1. Old question?\n\n* hint one\n* hint "
    "two\n";

TEST(KluExport, TextGoesToStdoutOrReplacesOutWhole) {
    const TempFolder folder;
    const std::string path = folder.Write("cafe.klu", Cafe());
    const KluRun to_stdout = RunKlu({"export", path});
    EXPECT_EQ(to_stdout.status, 0);
    EXPECT_EQ(to_stdout.err, "");
    EXPECT_EQ(to_stdout.out, kCafeText);

    const std::string out_path = folder.Write("cafe.txt", std::string(4000, 'x'));
    const KluRun to_file = RunKlu({"export", path, out_path});
    EXPECT_EQ(to_file.status, 0);
    EXPECT_EQ(to_file.out + to_file.err, "");
    EXPECT_EQ(ReadFile(out_path), kCafeText);
}

TEST(KluExport, AnOutOfTheLongestNameAFolderTakesIsWritten) {
    const TempFolder folder;
    const std::string out = folder.PathOf(std::string(251, 'o') + ".txt");
    EXPECT_EQ(RunKlu({"export", folder.Write("cafe.klu", Cafe()), out}).status, 0);
    EXPECT_EQ(ReadFile(out), kCafeText);
}

// An OUT in a missing folder, or a folder itself; the text and the web page alike. (A file that
// does not load creates no OUT: KluLoading.)
TEST(KluExport, AnOutThatCannotBeWrittenExits73) {
    const TempFolder folder;
    const std::string cafe = folder.Write("cafe.klu", Cafe());
    for (const bool html : {false, true}) {
        for (const std::string& out :
             {folder.PathOf("no-such-folder/small.txt"), folder.PathOf("")}) {
            const KluRun run = html ? RunKlu({"export", "--html", cafe, out})
                                    : RunKlu({"export", cafe, out});
            EXPECT_EQ(run.status, 73) << out;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "The file " + out + " could not be written.\n");
        }
    }
}

// A result that cannot be written in full is never a success: standard output on a full device,
// or OUT under a file-size limit, which keeps the OUT there was.
TEST(KluExport, AResultThatCannotBeWrittenExits73AndKeepsTheOldOut) {
    const TempFolder folder;
    const std::string cafe = folder.Write("cafe.klu", Cafe());
    const std::string tour = folder.Write("tour.klu", Bytes(TourPlan()));
    const std::vector<std::vector<std::string>> commands = {
        {"export", cafe},
        {"export", "--html", cafe},
        {"dump", cafe},
        {"find", cafe, "hint"},
        {"info", tour},
        {"check", cafe},
        {"list", folder.PathOf(""), "--cache", cafe + ".db"}};
    for (const auto& command : commands) {
        const KluRun run = RunKlu(command, {}, {.stdoutTo = "/dev/full"});
        EXPECT_EQ(run.status, 73) << command[0];
        EXPECT_NE(run.err, "") << command[0];
    }
    const std::string old_out = folder.Write("old.txt", std::string(100, 'o'));
    const KluRun run = RunKlu({"export", cafe, old_out}, {}, {.stdoutTo = {}, .fileSizeLimit = 16});
    EXPECT_EQ(run.status, 73);
    EXPECT_EQ(ReadFile(old_out), std::string(100, 'o'));
}

TEST(KluOwnInput, AnOutThatIsTheInputIsRefusedAndKept) {
    const TempFolder folder;
    const std::string outline = folder.Write("game.outline", "title: Game\n");
    const std::string game = folder.Write("game.klu", Bytes(TourPlan()));
    const std::string zip = folder.PathOf("game.zip");
    ASSERT_TRUE(WriteZipArchive(zip, {{"GAME.KLU", Bytes(TourPlan())}}));
    fs::create_symlink(game, folder.PathOf("link.klu"));
    fs::create_hard_link(outline, folder.PathOf("hard.outline"));
    const std::string outline_text =
        " is the outline being compiled." + std::string(kSaveWouldDestroyText);
    const struct {
        std::vector<std::string> words;
        std::string input, refusal;
    } cases[] = {
        {{"compile", outline, outline}, outline, outline + outline_text},
        {{"compile", outline, folder.PathOf("hard.outline")},
         outline,
         folder.PathOf("hard.outline") + outline_text},
        {{"export", game, game}, game, SaveOverOpenFileMessage(game)},
        {{"export", game, folder.PathOf("link.klu")},
         game,
         SaveOverOpenFileMessage(folder.PathOf("link.klu"))},
        {{"export", "--html", game, game}, game, SaveOverOpenFileMessage(game)},
        {{"export", zip + "/GAME.KLU", zip}, zip, SaveOverOpenFileMessage(zip)},
    };
    for (const auto& c : cases) {
        const std::string before = ReadFile(c.input);
        const KluRun run = RunKlu(c.words);
        EXPECT_EQ(run.status, 73) << c.words.back();
        EXPECT_EQ(run.err, c.refusal + "\n");
        EXPECT_EQ(ReadFile(c.input), before) << c.words.back();
    }
}

}  // namespace
}  // namespace klu::cli_test
