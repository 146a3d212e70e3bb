// The plain-text export: numbering, headings, bullets and flowing to 75 columns.
#include "model/plain_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "model/meta_text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::Items;
using test::LoadBytes;

std::string Export(const HintFilePlan& plan) {
    THintDocument doc;
    EXPECT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
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

TEST(Export, MediaHunksWriteTheirPlaceholders) {
    HintFilePlan plan;
    plan.root = MakeSubject("Media");
    plan.root->Add(MakeData("GIFA", "Map", "GIF89a"));
    plan.root->Add(MakeData("SOUND", "Bell", "RIFF"));
    HintNode* picture = plan.root->Add(MakeData("HYPERPNG", "Picture", "PNG"));
    picture->AddRegion(0, 0, 1, 1, MakeData("OVERLAY", "Over", "PNG"));
    picture->AddRegion(0, 0, 1, 1, MakeText("Spot", {"Behind the spot."}));
    plan.root->Add(MakeNode("MYSTERY", "Odd"));
    const std::string out = Export(plan);
    EXPECT_NE(out.find("1. Map\n\nThis section contains image data in an unsupported format."),
              std::string::npos);
    EXPECT_NE(out.find("2. Bell\n\nThis section contains sound data."), std::string::npos);
    // The picture: its heading, then its object's line; the overlay is left out and the text
    // behind the hot spot follows, numbered below the picture object (3.1.).
    EXPECT_NE(out.find("3. Picture\n\nThis is a graphic.\n\n\n3.1.1. Spot\n\nBehind the spot.\n"),
              std::string::npos);
    EXPECT_EQ(out.find("Over"), std::string::npos);
    EXPECT_NE(out.find("4. Odd\n\nThis data type was not recognized."), std::string::npos);
}

TEST(Export, NumberingSkipsBlanksAndLinksAndLeavesTheTreeAsItWas) {
    HintFilePlan plan;
    plan.root = MakeSubject("Root");
    HintNode* subject = plan.root->Add(MakeSubject("Subject"));
    subject->Add(MakeBlank());
    HintNode* text = subject->Add(MakeText("Text", {"body"}));
    subject->Add(MakeLink("Link", text));
    subject->Add(MakeQuestion("Hint", {{"h"}, {"i"}}));
    THintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
    doc.GetRoot()->SetNumber("");
    auto* loaded = Items(Items(doc.GetRoot())->children[0]);
    ASSERT_EQ(loaded->children.size(), 4u);
    std::vector<std::string> numbers;
    for (TKLUObject* child : loaded->children)
        numbers.push_back(static_cast<THunk*>(child)->number);
    EXPECT_EQ(numbers, (std::vector<std::string>{"1.0.", "1.1.", "1.1.", "1.2."}));
    EXPECT_EQ(static_cast<THunk*>(loaded->children[2])->GetNumber(), "1.1.");  // its target's

    // Exporting twice changes neither the hints nor their parents.
    auto* question = Items(loaded->children[3]);
    const auto before = test::ChildTexts(*question);
    for (int i = 0; i < 2; ++i) {
        std::ostringstream out;
        ASSERT_TRUE(ExportText(doc, out));
    }
    EXPECT_EQ(test::ChildTexts(*question), before);
    EXPECT_EQ(question->children[0]->parent, nullptr);
}

TEST(TakePiece, CutsAtTheLastBlankBeforeTheWidthOrRunsToTheNextAtALineStart) {
    const std::string a74(74, 'a'), a75(75, 'a'), w80(80, 'w');
    // text, width, at line start, the piece taken, what is left
    const std::vector<std::tuple<std::string, int, bool, std::string, std::string>> cases = {
        {a75, 75, true, a75, ""},
        {a74 + " b", 75, true, a74, "b"},  // the blank at 74 is below the width
        {a75 + " b", 75, true, a75, "b"},  // the one at 75 is not
        {w80 + " tail", 75, true, w80, "tail"},
        {" " + w80, 75, true, " " + w80, ""},                         // a leading blank is included
        {std::string(30, 'm'), 10, false, "", std::string(30, 'm')},  // a new line is needed
        {std::string(30, 'm'), 0, true, "", std::string(30, 'm')},
    };
    for (const auto& [text, width, at_start, piece, rest] : cases) {
        std::string left = text;
        EXPECT_EQ(TakePiece(left, width, at_start), piece) << text;
        EXPECT_EQ(left, rest) << text;
    }
}

}  // namespace
}  // namespace klu
