// klu info: the lines of the information window as Save Window writes them, and the message of
// a file without any.

#include <gtest/gtest.h>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

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
        int status;
        std::string out, err;
    } cases[] = {
        {"informed", Bytes(InformedPlan()), 0,
         "Author:\nAnn Writer\n \n"
         "About the Author:\nI wrote these hints over one long winter. Enjoy.\n \n"
         "About the Game:\nA game of caves and caf\xE9s\n \n"
         "KLU Version:\n2.0\n \n"
         "Compiler Info:\nmade by hand\n",
         ""},
        {"older", Bytes(OlderFormatPlan()), 0, "", kNoInformation},
        {"newer, uninformed", Bytes(uninformed), 0, "", kNoInformation},
    };
    const TempFolder folder;
    for (const auto& c : cases) {
        const KluRun run = RunKlu({"info", folder.Write("i.klu", c.bytes)});
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.err, c.err) << c.name;
    }
}

}  // namespace
}  // namespace klu::cli_test
