// Every command loads its file as the reader opens it, inside a ZIP archive too; klu check's
// line, exit status and failing line; klu dump's tree of the tour file and its failed loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

// Each command's words with FILE in the place of the file and OUT in that of what it writes.
const std::vector<std::vector<std::string>> kCommands = {
    {"check", "FILE"},       {"info", "FILE"},       {"dump", "FILE"},
    {"export", "FILE"},      {"export", "FILE", "OUT"}, {"export", "--html", "FILE", "OUT"},
    {"decompile", "FILE", "OUT"}, {"find", "FILE", "hint"}};

// None of them writes anything.
TEST(KluLoading, EveryCommandGivesTheReadersMessageForAFileThatDoesNotLoad) {
    const TempFolder folder;
    const std::string missing = folder.PathOf("missing.klu"), out = folder.PathOf("out");
    const std::vector<std::tuple<std::string, int, std::string>> inputs = {
        {folder.Write("notes.txt", "Shopping list\r\n"), 1, kNotHintFileText},
        {folder.Write("bad.klu", WithBrokenChecksum(TourPlan())), 2, kCorruptedText},
        {Zip(folder, "readme.zip", {{"readme.txt", "Nothing here."}}), 4, kZipArchiveText},
        {missing, 5, CannotOpenMessage(missing)}};
    for (const auto& command : kCommands) {
        for (const auto& [file, status, message] : inputs) {
            std::vector<std::string> words = command;
            std::ranges::replace(words, std::string("FILE"), file);
            std::ranges::replace(words, std::string("OUT"), out);
            const KluRun run = RunKlu(words);
            EXPECT_EQ(run.status, status) << command[0] << ' ' << file;
            // check names below it the line a corrupted file failed at (KluCheck).
            const bool line_follows = command[0] == "check" && status == 2;
            EXPECT_EQ(line_follows ? run.err.substr(0, message.size() + 1) : run.err,
                      message + "\n")
                << command[0] << ' ' << file;
            EXPECT_FALSE(std::filesystem::exists(out)) << command[0] << ' ' << file;
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

// The offset and length of a piece of media data: the writer stores each piece whole, so its
// offset is where its bytes are in the file.
Json DataFields(size_t offset, size_t length) {
    return Json{{"offset", offset}, {"length", length}};
}
Json DataFields(std::string_view data) {
    const size_t at = TourBytes().find(data);
    EXPECT_NE(at, std::string::npos) << "the file lacks " << data;
    EXPECT_EQ(TourBytes().find(data, at + 1), std::string::npos) << data << " is not unique";
    return DataFields(at, data.size());
}

// Every entry and every field of the tour. The older-format root comes first, unnumbered; a
// top-level hunk was never appended to a hunk, so only its initial wrap flag is set, and a hunk
// among a hunk's children breaks the line before and after it ("HWE").
Json ExpectedTour() {
    Json tour = Json::parse(R"({"result": 0, "entries": [
  {"type": "SUBJECT", "line": 0, "lines": 0, "title": "Tour, older part", "flags": "W",
   "children": []},
  {"type": "SUBJECT", "line": 1, "lines": 47, "title": "Tour", "flags": "W", "children": [
    {"type": "SUBJECT", "line": 3, "lines": 8, "title": "Caf\u00e9 corner", "flags": "HWE",
     "children": [{"type": "HINT", "line": 5, "lines": 6, "title": "How do I open the door?",
                   "flags": "HWE", "revealed": 0, "children": [
        {"text": "Look around.", "flags": "HWE"}, {"text": "-", "flags": "HSWE"},
        {"text": "Ask the caf\u00e9 owner.", "flags": "HWE"},
        {"text": "It is under the mat.", "flags": "WE"}]}]},
    {"type": "TEXT", "line": 11, "lines": 3, "title": "Intro", "flags": "HWE", "textFlags": 3,
     "children": [{"text": "Welcome to the tour.", "flags": "HFE"},
                  {"text": "Second line", "flags": "HFE"}]},
    {"type": "LINK", "line": 14, "lines": 3, "title": "See the door", "flags": "HWE", "target": 5},
    {"type": "BLANK", "line": 17, "lines": 2, "title": "", "flags": "HWE"},
    {"type": "NESTHINT", "line": 19, "lines": 8, "title": "Nested", "flags": "HWE", "revealed": 0,
     "children": [{"text": "First nested", "flags": "HWE"}, {"text": "-", "flags": "HSWE"},
        {"type": "LINK", "line": 24, "lines": 3, "title": "Jump", "flags": "HWE", "target": 11}]},
    {"type": "GIFA", "line": 27, "lines": 3, "title": "Old picture", "flags": "HWE"},
    {"type": "SOUND", "line": 30, "lines": 3, "title": "Noise", "flags": "HWE"},
    {"type": "HYPERPNG", "line": 33, "lines": 11, "title": "Map", "flags": "HWE", "children": [
      {"type": "PNGOBJECT", "line": 34, "lines": 11, "title": "This is a graphic.", "flags": "HWE",
       "regions": [[1, 2, 30, 40], [5, 6, 7, 8]], "children": [
        {"type": "OVERLAY", "line": 37, "lines": 3, "title": "Lamp", "flags": "HWE", "x": 3, "y": 4},
        {"type": "LINK", "line": 41, "lines": 3, "title": "Back", "flags": "HWE", "target": 3}]}]},
    {"type": "UNKNOWN", "line": 44, "lines": 4, "title": "Mystery \u0080\u00ff", "flags": "HWE",
     "keyword": "FROBNICATE"}]},
  {"type": "VERHUNK", "line": 48, "lines": 3, "title": "1.0", "flags": "W",
   "children": [{"text": "compiler x", "flags": "HWE"}]},
  {"type": "INFO", "line": 51, "lines": 3, "title": "Tour File Information", "flags": "W",
   "children": []}]})");
    for (const char* line :
         {"Author:", "Jane", " ", "KLU Version:", "1.0", " ", "Compiler Info:", "compiler x"}) {
        tour["entries"][3]["children"].push_back(Json{{"text", line}, {"flags", "HWE"}});
    }
    Json& children = tour["entries"][1]["children"];
    // The text body is the first piece of the data area, right behind the end-of-text byte; each
    // of its lines counts two more bytes for its line end.
    children[1].update(DataFields(TourBytes().find('\x1A') + 1, (20 + 2) + (11 + 2)));
    children[5].update(DataFields(kGifData));
    children[6].update(DataFields(kSoundData));
    // The picture object, built from the same header after the title line was read, stands on
    // that line and keeps the fixed title of pictures.
    Json& object = children[7]["children"][0];
    object.update(DataFields(kMapPng));
    object["children"][0].update(DataFields(kOverlayPng));
    return tour;
}

TEST(KluDumpTree, TourShowsEveryHunkWithItsOwnFields) {
    ASSERT_EQ(TourDump().run.status, 0) << TourDump().run.err;
    EXPECT_EQ(TourDump().run.err, "");
    EXPECT_EQ(TourDump().json, ExpectedTour());
}

// The dump is written as it goes, laid out byte for byte as the JSON library lays out dump(2):
// the tour, a failed load's empty list, and a comment whose line needs every kind of escape.
TEST(KluDumpTree, LayoutIsTheJsonLibrarysIndentedForm) {
    HintFilePlan plan = TourPlan();
    plan.topLevel.push_back(MakeNode("COMMENT", "Escapes"));
    plan.topLevel.back()->Line("quote \" back \\ tab \t low \x01\x1F del \x7F high \xE9");
    const TempFolder folder;
    for (const std::string& bytes : {Bytes(plan), std::string("Not a hint file\n")}) {
        const std::string out = Dump(folder.Write("layout.klu", bytes)).run.out;
        EXPECT_EQ(out, nlohmann::ordered_json::parse(out).dump(2) + "\n");
    }
}

TEST(KluDumpResults, FailedLoadsPrintTheResultWithNoEntries) {
    const TempFolder folder;
    const std::vector<std::pair<std::string, int>> cases = {{"Not a hint file\n", 1},
                                                            {WithBrokenChecksum(TourPlan()), 2},
                                                            {"PK\x03\x04", 4}};
    for (const auto& [bytes, result] : cases) {
        const Dumped dumped = Dump(folder.Write("failed.klu", bytes));
        EXPECT_EQ(dumped.run.status, result);
        EXPECT_EQ(dumped.json, (Json{{"result", result}, {"entries", Json::array()}}));
    }
    // A file that cannot be opened prints nothing on stdout at all.
    const Dumped missing = Dump(folder.PathOf("nowhere.klu"));
    EXPECT_EQ(missing.run.status, 5);
    EXPECT_EQ(missing.run.out, "");
}

}  // namespace
}  // namespace klu::cli_test
