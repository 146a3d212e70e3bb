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
HintFilePlan FindGamePlan() {
    HintFilePlan plan;
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

Json Link(const std::string& title, int line) {
    return Json{{"title", title}, {"line", line}};
}

// The root holds the link's title, so it matches "LAMP" itself first, with no links above it.
// Upper-case E acute finds the lower-case one; "%", "#" and quotes are plain characters.
TEST(KluFind, MatchesListTheirLinksFromTheTopDownAndNoMatchIsReported) {
    const TempFolder folder;
    const std::string path = folder.Write("find.klu", Bytes(FindGamePlan()));
    const struct {
        std::string phrase, title;  // the title as UTF-8
        Json entries;
        std::string err;
    } cases[] = {
        {"LAMP", "LAMP",
         {Json::array(),
          {Link("Cellar", 3)},
          {Link("Cellar", 3), Link("Where is the lamp?", 5)},
          {Link("Attic", 10), Link("How do I open the chest?", 12)}},
         ""},
        {"\"100% CAF\xC9 #1\"", "\"100% CAF\u00c9 #1\"",
         Json::array({{Link("Attic", 10), Link("What does the sign say?", 15)}}), ""},
        {"dragon", "dragon", Json::array(), "No hints were found with the requested string.\n"},
    };
    for (const auto& c : cases) {
        const KluRun run = RunKlu({"find", path, c.phrase});
        EXPECT_EQ(run.status, 0) << c.phrase;
        EXPECT_EQ(run.err, c.err) << c.phrase;
        // parse() also rejects malformed UTF-8.
        const Json found = Json::parse(run.out);
        EXPECT_EQ(found, (Json{{"title", "Search Results for \"" + c.title + "\""},
                               {"entries", c.entries}}));
    }
}

}  // namespace
}  // namespace klu::cli_test
