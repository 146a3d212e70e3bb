// The outline that authors compile into hint files.
#include "model/outline.h"

#include <gtest/gtest.h>

#include "model/link_hunk.h"
#include "model/media_hunks.h"
#include "model/meta_text_hunk.h"
#include "model/text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::ChildTexts;
using test::Items;

constexpr const char* kOutline = R"(; a comment
title: The Bay
subject: Beach
    question: How do I pass the crab?
        hint: Crabs dislike noise.
        hint: Ring the bell
            > you found in the boathouse.
    text: About the beach
        flags: 3
        > Gulls cry overhead.
        > The tide is out.
    link: Back to the crab -> How do I pass the crab?
    blank:
subject: Lighthouse
    nested: Still stuck?
        > Think about the tide.
        -
        > Then the moon.
        question: Where is the moon?
            hint: Up.
    comment: Remark
        > plain #p- text
version: 96a
    > outline compiler
info:
    > author=Ann Example
)";

TEST(Outline, BuildsTheTreeItDescribes) {
    OutlineError error;
    auto plan = CompileOutline(kOutline, ".", &error);
    ASSERT_TRUE(plan) << error.line << ": " << error.message;
    THintDocument doc;
    ASSERT_EQ(test::LoadBytes(test::WriteOrFail(*plan), doc), LoadOk);
    auto* root = Items(doc.GetRoot());
    EXPECT_EQ(root->title, "The Bay");
    EXPECT_EQ(ChildTexts(*root), (std::vector<std::string>{"Beach", "Lighthouse"}));
    auto* beach = Items(root->children[0]);
    EXPECT_EQ(ChildTexts(*beach),
              (std::vector<std::string>{"How do I pass the crab?", "About the beach",
                                        "Back to the crab", ""}));
    auto* crab = static_cast<TMetaTextHunk*>(beach->children[0]);
    EXPECT_EQ(ChildTexts(*crab),
              (std::vector<std::string>{"Crabs dislike noise.", "-", "Ring the bell",
                                        "you found in the boathouse."}));
    auto* text = dynamic_cast<TTextHunk*>(beach->children[1]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->flags, 3);
    EXPECT_EQ(ChildTexts(*text),
              (std::vector<std::string>{"Gulls cry overhead.", "The tide is out."}));
    auto* link = dynamic_cast<TLinkHunk*>(beach->children[2]);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target(), crab);
    auto* nested = Items(Items(root->children[1])->children[0]);
    EXPECT_EQ(nested->GetType(), NESTHINT);
    EXPECT_EQ(ChildTexts(*nested),
              (std::vector<std::string>{"Think about the tide.", "-", "Then the moon.",
                                        "Where is the moon?"}));
    EXPECT_EQ(doc.FindByType(VERHUNK)->title, "96a");
    EXPECT_EQ(Items(doc.FindByType(INFO))->children.at(1)->title, "Ann Example");
}

TEST(Outline, PicturesReadTheirDataRelativeToTheOutline) {
    const std::string folder = ::testing::TempDir();
    for (const char* name : {"pic.png", "lamp.png", "bell.wav"}) {
        FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(name, f);
        std::fclose(f);
    }
    OutlineError error;
    auto plan = CompileOutline(
        "title: Pictures\n"
        "picture: Map = pic.png\n"
        "    spot: 1 2 30 40\n"
        "        overlay: Lamp lit = lamp.png at 5 6\n"
        "    spot: 0 0 10 10\n"
        "        text: Behind the spot\n"
        "            > Hidden text.\n"
        "sound: Bell = bell.wav\n",
        folder, &error);
    ASSERT_TRUE(plan) << error.line << ": " << error.message;
    THintDocument doc;
    ASSERT_EQ(test::LoadBytes(test::WriteOrFail(*plan), doc), LoadOk);
    auto* picture = dynamic_cast<THyperPNGHunk*>(Items(doc.GetRoot())->children.at(0));
    ASSERT_NE(picture, nullptr);
    TPNGObject* object = picture->Finish();
    ASSERT_EQ(object->regions.size(), 2u);
    EXPECT_EQ(object->regions[0].right, 30);
    EXPECT_EQ(object->dataLength, 7);
    auto* overlay = dynamic_cast<TOverlayHunk*>(object->children[0]);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->x, 5);
    EXPECT_EQ(overlay->dataLength, 8);
    EXPECT_EQ(Items(doc.GetRoot())->children.at(1)->GetType(), SOUND);
}

TEST(Outline, ReportsTheLineOfAMistake) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"subject: no title first\n", 1},
        {"title: T\nsubject: S\n    hint: not under a question\n", 3},
        {"title: T\nlink: Nowhere -> Missing title\n", 2},
        {"title: T\n\nsubject: S\n    frobnicate: what\n", 4},
        {"title: T\npicture: P = no-such-file.png\n", 2},
        {"title: T\nsubject: S\n    > a line in a subject\n", 3},
        {"title: T\nquestion: Q\n    hint: a\n    just words\n", 4},
    };
    for (const auto& [text, line] : cases) {
        OutlineError error;
        EXPECT_FALSE(CompileOutline(text, ".", &error)) << text;
        EXPECT_EQ(error.line, line) << text << error.message;
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(Outline, OlderFormat) {
    OutlineError error;
    auto plan = CompileOutline(
        "title: Old One\nformat: 88a\nsubject: S\n    question: Q\n        hint: H1\n        hint: "
        "H2\n"
        "note: Thanks for playing.\n",
        ".", &error);
    ASSERT_TRUE(plan) << error.message;
    THintDocument doc;
    ASSERT_EQ(test::LoadBytes(test::WriteOrFail(*plan), doc), LoadOk);
    EXPECT_EQ(doc.Count(), 1u);
    auto* question = Items(Items(Items(doc.GetRoot())->children.at(0))->children.at(0));
    EXPECT_EQ(ChildTexts(*question), (std::vector<std::string>{"H1", "-", "H2"}));
}

}  // namespace
}  // namespace klu
