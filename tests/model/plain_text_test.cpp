// The plain-text export: numbering, headings, bullets and flowing to 75 columns.
#include "model/export/plain_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "model/web/html_export.h"
#include "model/document/meta_text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::LoadBytes;

std::string Export(const HintFilePlan& plan) {
    HintDocument doc;
    EXPECT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
    std::ostringstream out;
    EXPECT_TRUE(ExportText(doc, out));
    return out.str();
}

TEST(Export, NumbersHeadingsAndBullets) {
    HintFilePlan plan;
    plan.root = MakeSubject("The Game");
    HintNode* caves = plan.root->Add(MakeSubject("Caves"));
    caves->Add(MakeQuestion("How do I get in?", {{"Push the rock."}}));
    HintNode* lamp = caves->Add(
        MakeQuestion("Where is the lamp?", {{"Look left."}, {"Look right."}, {"Under the bed."}}));
    HintNode* tower = plan.root->Add(MakeSubject("Tower"));
    tower->Add(MakeBlank());
    tower->Add(MakeText("Note", {"A short text.", "-"}));
    tower->Add(MakeLink("see lamp", lamp));
    HintNode* nest = tower->Add(MakeNode("NESTHINT", "Stuck"));
    nest->Line("Try this first.");
    nest->Add(MakeLink("the lamp question", lamp));
    EXPECT_EQ(Export(plan),
              "KLU: Hints for The Game\n\n\n"
              "1. Caves\n\n\n"
              "1.1. How do I get in?\n\nPush the rock.\n\n\n"
              "1.2. Where is the lamp?\n\n* Look left.\n* Look right.\n* Under the bed.\n\n\n"
              "2. Tower\n\n\n"
              "2.1. Note\n\nA short text.\n* \n\n"  // a "-" in a text is a bullet too
              "2.2. Stuck\n\nTry this first.\nthe lamp question [see 1.2.]\n");
}

// A hint line that reads "-" is text of its hint: neither export makes it a hint of its own.
TEST(Export, BothExportsSplitAQuestionAtItsSeparatorsOnly) {
    HintFilePlan plan;
    plan.root = MakeSubject("Dials");
    plan.root->Add(MakeQuestion("Q", {{"Turn the dial to", "-", "then wait."}, {"Open it."}}));
    EXPECT_EQ(Export(plan),
              "KLU: Hints for Dials\n\n\n"
              "1. Q\n\n* Turn the dial to\n-\nthen wait.\n* Open it.\n");
    HintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
    std::ostringstream page;
    ASSERT_TRUE(ExportHtml(doc, "", page));
    const std::string html = page.str();
    const size_t parts = html.find("data-parts=\"");
    ASSERT_NE(parts, std::string::npos);
    const std::string enciphered = html.substr(parts, html.find('"', parts + 12) - parts);
    EXPECT_EQ(std::count(enciphered.begin(), enciphered.end(), ' '), 1) << enciphered;
}

TEST(Export, SourceLinesWithoutBreaksAreJoinedAndFlowedBefore75Columns) {
    HintFilePlan plan;
    plan.root = MakeSubject("Flow");
    plan.root->Add(MakeQuestion(
        "Q",
        {{"The first source line of this hint is long enough to join",
          "with the thirteen lines, and together they are longer than a line of the export."}}));
    EXPECT_EQ(Export(plan),
              "KLU: Hints for Flow\n\n\n"
              "1. Q\n\n"
              // With "thirteen" the line would end in column 75.
              "The first source line of this hint is long enough to join with the\n"
              // The last line had no break, so an empty line ends the question after a blank.
              "thirteen lines, and together they are longer than a line of the export. \n");
}

}  // namespace
}  // namespace klu
