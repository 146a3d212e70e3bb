// Every command loads its file as the reader opens it: a file that does not load gets the reader's
// message on stderr, and a hint file inside a ZIP archive loads as the reader picks it. klu check
// prints one line "<code> <name>" and gives the load result as its exit status, and where the
// load failed among the hunks, the line it failed at on stderr.
#include <gtest/gtest.h>

#include "cli_support.h"
#include "model/document/file_messages.h"
#include "model/files/zip_members.h"

namespace klu::cli_test {
namespace {

std::string Zip(const TempFolder& folder, const std::string& name,
                const std::vector<std::pair<std::string, std::string>>& members) {
    const std::string path = folder.PathOf(name);
    if (!WriteZipArchive(path, members)) throw std::runtime_error("cannot write " + path);
    return path;
}

// Each command's words with FILE in the place of the file.
const std::vector<std::vector<std::string>> kCommands = {{"check", "FILE"},
                                                         {"info", "FILE"},
                                                         {"dump", "FILE"},
                                                         {"export", "FILE"},
                                                         {"export", "--html", "FILE"},
                                                         {"decompile", "FILE", "DIR"},
                                                         {"find", "FILE", "hint"}};

std::vector<std::string> Words(std::vector<std::string> words, const std::string& file,
                               const TempFolder& folder) {
    for (std::string& word : words) {
        if (word == "FILE") word = file;
        if (word == "DIR") word = folder.PathOf("out");
    }
    return words;
}

TEST(KluLoading, EveryCommandGivesTheReadersMessageForAFileThatDoesNotLoad) {
    const TempFolder folder;
    const std::string missing = folder.PathOf("missing.klu");
    const std::vector<std::tuple<std::string, int, std::string>> inputs = {
        {folder.Write("notes.txt", "Shopping list\r\n"), 1, kNotHintFileText},
        {folder.Write("bad.klu", WithBrokenChecksum(TourPlan())), 2, kCorruptedText},
        {Zip(folder, "readme.zip", {{"readme.txt", "Nothing here."}}), 4, kZipArchiveText},
        {missing, 5, CannotOpenMessage(missing)}};
    for (const auto& command : kCommands) {
        for (const auto& [file, status, message] : inputs) {
            const KluRun run = RunKlu(Words(command, file, folder));
            EXPECT_EQ(run.status, status) << command[0] << ' ' << file;
            // check names below it the line a corrupted file failed at (KluCheck).
            const bool line_follows = command[0] == "check" && status == 2;
            EXPECT_EQ(line_follows ? run.err.substr(0, message.size() + 1) : run.err,
                      message + "\n")
                << command[0] << ' ' << file;
        }
    }
}

// Its only hint file, the first by name of several (with a note), or the one named; the member's
// pictures and sounds are read too, as decompile compares them with its outline's.
TEST(KluLoading, AnArchiveLoadsTheHintFileTheReaderWouldOpen) {
    const TempFolder folder;
    const std::string one =
        Zip(folder, "one.zip",
            {{"readme.txt", "Unpack me."}, {"GAME.KLU", Bytes(OlderFormatPlan("Only"))}});
    const std::string two = Zip(folder, "two.zip",
                                {{"second.klu", Bytes(OlderFormatPlan("Second"))},
                                 {"First.klu", Bytes(OlderFormatPlan("First"))}});
    const std::string tour = Zip(folder, "tour.zip", {{"tour.klu", Bytes(TourPlan())}});
    const struct {
        std::vector<std::string> words;
        int status;
        std::string out, err;
    } cases[] = {
        {{"export", one}, 0, "KLU: Hints for Only\n", ""},
        {{"export", two},
         0,
         "KLU: Hints for First\n",
         "klu: " + two + " holds 2 hint files; First.klu is read (name another as " + two +
             "/MEMBER)\n"},
        {{"export", two + "/second.klu"}, 0, "KLU: Hints for Second\n", ""},
        {{"check", two + "/third.klu"}, 5, "", CannotOpenMessage(two + "/third.klu") + "\n"},
        {{"decompile", tour, folder.PathOf("tour")}, 0, "", ""},
    };
    for (const auto& c : cases) {
        const KluRun run = RunKlu(c.words);
        EXPECT_EQ(run.status, c.status) << c.words[1];
        EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), c.out) << c.words[1];
        EXPECT_EQ(run.err, c.err) << c.words[1];
    }
}

TEST(KluCheck, EveryLoadResultIsPrintedAndIsTheExitStatus) {
    const TempFolder folder;
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {folder.Write("tour.klu", Bytes(TourPlan())), 0, "0 LoadOk\n"},
        {folder.Write("old.klu", Bytes(OlderFormatPlan())), 0, "0 LoadOk\n"},
        {folder.Write("notes.txt", "Shopping list\r\nbread\r\n"), 1, "1 LoadNotHintFile\n"},
        {folder.Write("bad.klu", WithBrokenChecksum(TourPlan())), 2, "2 LoadCorrupted\n"},
        {folder.Write("deep.klu", Bytes(NestedSubjectsPlan(1200))), 2, "2 LoadCorrupted\n"},
        {folder.Write("archive.zip", std::string("PK\x03\x04\x14\0\0\0", 8) + "rest\n"), 4,
         "4 LoadZipArchive\n"},
        {folder.PathOf("missing.klu"), 5, ""},
        {folder.PathOf(""), 5, ""},
    };
    for (const auto& [path, status, out] : cases) {
        const KluRun run = RunKlu({"check", path});
        EXPECT_EQ(run.status, status) << path;
        EXPECT_EQ(run.out, out) << path;
    }
}

// The subject a thousand levels down has its header on line 2001 (root: lines 1 and 2).
TEST(KluCheck, ACorruptedFileNamesTheLineItFailedAt) {
    const TempFolder folder;
    const std::string deep = folder.Write("deep.klu", Bytes(NestedSubjectsPlan(1200)));
    EXPECT_TRUE(RunKlu({"check", deep}).err.ends_with("klu: " + deep + ": failed at line 2001\n"));
}

}  // namespace
}  // namespace klu::cli_test
