// The command line itself (help, version, usage errors), klu info, klu find and klu list.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli_support.h"

namespace klu::cli_test {
namespace {

namespace fs = std::filesystem;

constexpr int kUsageError = 64;

TEST(KluHelpAndVersion, HelpNamesEveryCommandAndExitStatusVersionIsThreeNumbers) {
    const KluRun help = RunKlu({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* text :
         {"klu check FILE\n", "klu dump FILE [--picture-mode]\n", "klu export [--html] FILE [OUT]\n",
          "klu find FILE PHRASE\n", "klu info FILE\n", "klu list FOLDER [--cache FILE]\n",
          "klu compile SOURCE OUT\n", "\n  64 ", "\n  73 "}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const KluRun version = RunKlu({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("klu [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;
}

TEST(KluUsageErrors, EveryMisuseExits64WithTheUsageOnStderr) {
    const TempFolder folder;
    const std::string path = folder.Write("ok.klu", Bytes(OlderFormatPlan()));
    folder.Write("-odd.klu", Bytes(OlderFormatPlan()));
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"frobnicate", "x.klu"},
        {"find", "a.klu"},
        {"list", folder.PathOf(""), "--cache"},
        {"dump", path, "--bogus"},
        {"check", "-odd.klu"}};
    for (const auto& args : misuses) {
        const KluRun run = RunKlu(args, folder.PathOf(""));
        EXPECT_EQ(run.status, kUsageError) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: klu"), std::string::npos) << run.err;
    }
}

const std::string kNoInformation =
    "This KLU file does not contain an information block.  See the \"About this KLU File\" "
    "section of the file, if one exists, for information about this file.\n";

// A newer-format file with an information block and a version hunk; the labels and texts of
// every field are the model's business.
HintFilePlan InformedPlan() {
    HintFilePlan plan;
    plan.title88 = "Informed, older part";
    plan.note88 = {"An older note that the newer part hides."};
    plan.root = MakeSubject("Informed");
    plan.root->Add(MakeQuestion("Why?", {{"Because."}}));
    plan.topLevel.push_back(MakeNode("VERSION", "2.0"));
    plan.topLevel.back()->Line("made by hand");
    plan.topLevel.push_back(MakeNode("INFO", ""));
    plan.topLevel.back()
        ->Line("author=Ann Writer")
        .Line("author-note=I wrote these hints over one long winter.")
        .Line("author-note=Enjoy.")
        .Line("game-note=A game of caves and caf\xE9s");
    return plan;
}

// The informed file's lines: labels and short values end their lines; a line of 20 characters or
// more runs on into the next one; the " " lines between the fields stay; bytes are written as
// they are. Without information, even in a newer-format file whose older note could stand in,
// the message goes to stderr; a corrupted file prints nothing.
TEST(KluInfo, InformationBlockOrTheMessageOfItsAbsence) {
    HintFilePlan uninformed = InformedPlan();
    uninformed.topLevel.clear();
    const struct {
        std::string name, bytes;
        KluRun run;
    } cases[] = {
        {"informed", Bytes(InformedPlan()),
         {0,
          "Author:\nAnn Writer\n \n"
          "About the Author:\nI wrote these hints over one long winter. Enjoy.\n \n"
          "About the Game:\nA game of caves and caf\xE9s\n \n"
          "KLU Version:\n2.0\n \n"
          "Compiler Info:\nmade by hand\n",
          ""}},
        {"older", Bytes(OlderFormatPlan()), {0, "", kNoInformation}},
        {"newer, uninformed", Bytes(uninformed), {0, "", kNoInformation}},
    };
    const TempFolder folder;
    for (const auto& c : cases)
        EXPECT_EQ(RunKlu({"info", folder.Write("i.klu", c.bytes)}), c.run) << c.name;
}

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

std::string OlderTitled(const std::string& title) {
    return Bytes(OlderFormatPlan(title));
}

class KluList : public ::testing::Test {
  protected:
    // File names in the reverse of the title order; the newer-format file shows its root's
    // title ("Tour"), not the older part's.
    void SetUp() override {
        fs::create_directory(hints_);
        folder_.Write("hints/1-tour.KLU", Bytes(TourPlan()));
        folder_.Write("hints/2-beta.klu", OlderTitled("Beta Quest"));
        folder_.Write("hints/3-adv.klu", OlderTitled("The Adventure"));
    }
    KluRun List(const std::string& cache) { return RunKlu({"list", hints_, "--cache", cache}); }
    std::string Line(const std::string& title, const std::string& name) const {
        return title + "\t" + hints_ + "/" + name + "\n";
    }
    std::string Listed() const {
        return Line("The Adventure", "3-adv.klu") + Line("Beta Quest", "2-beta.klu") +
               Line("Tour", "1-tour.KLU");
    }

    TempFolder folder_;
    const std::string hints_ = folder_.PathOf("hints");
    const std::string cache_ = folder_.PathOf("titles.db");
};

TEST_F(KluList, HintFilesByTitleTitlesFollowTheFilesAndEachEntryStaysOneLine) {
    const KluRun run = List(cache_);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // A leading article is moved back: "The Adventure" sorts under A.
    EXPECT_EQ(run.out, Listed());
    EXPECT_GT(fs::file_size(cache_), 0u);
    // A file replaced under its name shows its new title; a tab, a line end or a backslash in a
    // name is written as \t, \n or \\.
    folder_.Write("hints/2-beta.klu", OlderTitled("Zeta Quest"));
    folder_.Write("hints/x\ty\nz\\.klu", OlderTitled("Odd Name"));
    EXPECT_EQ(List(cache_).out, Line("The Adventure", "3-adv.klu") +
                                    Line("Odd Name", "x\\ty\\nz\\\\.klu") +
                                    Line("Tour", "1-tour.KLU") + Line("Zeta Quest", "2-beta.klu"));
}

TEST_F(KluList, FolderThatCannotBeReadExitsFive) {
    for (const std::string& folder : {folder_.PathOf("missing"), hints_ + "/2-beta.klu"}) {
        EXPECT_EQ(RunKlu({"list", folder, "--cache", cache_}),
                  (KluRun{5, "", "The folder " + folder + " could not be read.\n"}));
    }
}

}  // namespace
}  // namespace klu::cli_test
