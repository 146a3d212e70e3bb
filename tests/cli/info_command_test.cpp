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

class KluInfo : public ::testing::Test {
  protected:
    KluRun Info(const std::string& bytes) {
        return RunKlu({"info", folder_.Write("i.klu", bytes)});
    }
    TempFolder folder_;
};

TEST_F(KluInfo, NewerFormatFileShowsItsInformationBlock) {
    const KluRun run = Info(Bytes(InformedPlan()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // Labels and short values end their lines; a line of 20 characters or more runs on into the
    // next one; the " " lines between the fields stay; bytes are written as they are.
    EXPECT_EQ(run.out,
              "Author:\nAnn Writer\n \n"
              "About the Author:\nI wrote these hints over one long winter. Enjoy.\n \n"
              "About the Game:\nA game of caves and caf\xE9s\n \n"
              "KLU Version:\n2.0\n \n"
              "Compiler Info:\nmade by hand\n");

}

TEST_F(KluInfo, WithoutInformationTheMessageGoesToStderr) {
    // A newer-format file without information or version: its older note does not stand in.
    HintFilePlan newer = InformedPlan();
    newer.topLevel.clear();
    for (const std::string& bytes : {Bytes(OlderFormatPlan()), Bytes(newer)}) {
        const KluRun run = Info(bytes);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, kNoInformation);
    }
    const KluRun corrupted = Info(WithBrokenChecksum(InformedPlan()));
    EXPECT_EQ(corrupted.status, 2);
    EXPECT_EQ(corrupted.out + corrupted.err, "");
}

}  // namespace
}  // namespace klu::cli_test
