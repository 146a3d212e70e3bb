// klu find: the links of each match from the top down, with the header lines of their targets,
// for matches of the root, of subjects and of questions; no match; phrases of any bytes.

#include <gtest/gtest.h>

#include "dump_support.h"
#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

// Header lines, counted as in sample_files.cpp:
//   1 SUBJECT "Find Game"
//   3   SUBJECT "Cellar"
//   5     HINT "Where is the lamp?": 7, 8 "-", 9
//  10   SUBJECT "Attic"
//  12     HINT "How do I open the chest?": 14
//  15     HINT "What does the sign say?": 17 (the tree reads "##" as one "#")
//  18   LINK "Lamp question" -> 5
HintFileSpec FindGameSpec() {
    HintFileSpec plan;
    plan.title88 = "Find Game, older part";
    plan.root = MakeSubject("Find Game");
    HintNode* cellar = plan.root->Add(MakeSubject("Cellar"));
    const HintNode* lamp = cellar->Add(
        MakeQuestion("Where is the lamp?", {{"Behind the barrel."}, {"The lamp is lit."}}));
    HintNode* attic = plan.root->Add(MakeSubject("Attic"));
    attic->Add(MakeQuestion("How do I open the chest?", {{"Use the lamp."}}));
    attic->Add(MakeQuestion("What does the sign say?", {{"It reads \"100% caf\xE9 ##1\"."}}));
    plan.root->Add(MakeLink("Lamp question", lamp));
    return plan;
}

class KluFind : public ::testing::Test {
  protected:
    void SetUp() override { path_ = folder_.Write("find.klu", Bytes(FindGameSpec())); }

    // Runs find and parses stdout; parse() also rejects malformed UTF-8.
    Json Find(const std::string& phrase, KluRun& run) {
        run = RunKlu({"find", path_, phrase});
        return run.out.empty() ? Json() : Json::parse(run.out);
    }

    TempFolder folder_;
    std::string path_;
};

Json Link(const std::string& title, int line) {
    return Json{{"title", title}, {"line", line}};
}

TEST_F(KluFind, MatchesListTheirLinksFromTheTopDown) {
    KluRun run;
    const Json found = Find("LAMP", run);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(found.at("title"), "Search Results for \"LAMP\"");
    // The root holds the link's title, so it matches itself first, with no links above it.
    const Json expected =
        Json::array({Json::array(), Json::array({Link("Cellar", 3)}),
                     Json::array({Link("Cellar", 3), Link("Where is the lamp?", 5)}),
                     Json::array({Link("Attic", 10), Link("How do I open the chest?", 12)})});
    EXPECT_EQ(found.at("entries"), expected);
}

TEST_F(KluFind, LinkLinesAreTheHeaderLinesThatDumpShows) {
    KluRun run;
    const Json found = Find("barrel", run);
    ASSERT_EQ(found.at("entries").size(), 1u) << run.out;
    const Json& links = found.at("entries")[0];
    ASSERT_EQ(links.size(), 2u);
    const Dumped dumped = Dump(path_);
    const Json& cellar = dumped.json.at("entries").at(1).at("children").at(0);
    EXPECT_EQ(links[0].at("title"), cellar.at("title"));
    EXPECT_EQ(links[0].at("line"), cellar.at("line"));
    EXPECT_EQ(links[1].at("title"), cellar.at("children").at(0).at("title"));
    EXPECT_EQ(links[1].at("line"), cellar.at("children").at(0).at("line"));
}

TEST_F(KluFind, NoMatchPrintsEmptyEntriesAndTheMessage) {
    KluRun run;
    const Json found = Find("dragon", run);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "No hints were found with the requested string.\n");
    EXPECT_EQ(found,
              (Json{{"title", "Search Results for \"dragon\""}, {"entries", Json::array()}}));
}

TEST_F(KluFind, PhraseBytesAreTakenAsGiven) {
    // Upper-case E acute finds the lower-case one; "%", "#" and quotes are plain characters.
    KluRun run;
    const Json found = Find("\"100% CAF\xC9 #1\"", run);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(found.at("title"), "Search Results for \"\"100% CAF\u00c9 #1\"\"");
    const Json expected =
        Json::array({Json::array({Link("Attic", 10), Link("What does the sign say?", 15)})});
    EXPECT_EQ(found.at("entries"), expected);
    // The doubled "#" of the file is one "#" in the tree, which is what is searched.
    EXPECT_EQ(Find("##1", run).at("entries"), Json::array());
    EXPECT_NE(run.err, "");
}

TEST_F(KluFind, FailedLoadPrintsNothing) {
    std::string corrupted = Bytes(FindGameSpec());
    corrupted.back() = static_cast<char>(corrupted.back() ^ 0x01);
    const KluRun run = RunKlu({"find", folder_.Write("bad.klu", corrupted), "lamp"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const KluRun missing = RunKlu({"find", folder_.PathOf("missing.klu"), "lamp"});
    EXPECT_EQ(missing.status, 5);
    EXPECT_EQ(missing.out, "");
}

TEST_F(KluFind, OlderFormatFileIsSearchedToo) {
    const std::string path = folder_.Write("old.klu", Bytes(OlderFormatSpec()));
    const KluRun run = RunKlu({"find", path, "hint two"});
    ASSERT_EQ(run.status, 0) << run.err;
    // Older-format hunks stand on no line of their own.
    const Json expected =
        Json::array({Json::array({Link("Old subject", 0), Link("Old question?", 0)})});
    EXPECT_EQ(Json::parse(run.out).at("entries"), expected);
}

}  // namespace
}  // namespace klu::cli_test
