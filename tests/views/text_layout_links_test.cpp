// Links and separator rules derived from laid-out fragments, for text and for pictures with
// hot spots.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../model/model_test_support.h"
#include "layout_test_support.h"
#include "model/media_hunks.h"
#include "views/text_layout.h"
#include "views/text_layout_links.h"

namespace klu {
namespace {

using test::AddLine;
using test::AddSubHunk;
using test::Frag;

const FixedWidthMeasurer kTen(10, 20);

TEST(LayoutLinkRegions, SubHunkTitleBecomesOneLinkPerFragment) {
    TItemsHunk hunk("h");
    AddLine(hunk, "See");
    THunk* target = AddSubHunk(hunk, "Open me");
    AddLine(hunk, "ok");
    const TLayoutResult r = Layout(hunk, 3, {200, 100}, kTen);
    EXPECT_EQ(LinksOf(r.fragments), (std::vector<TLinkInfo>{{48, 8, 128, 28, target}}));
}

TEST(LayoutLinkRegions, WrappedTitleGivesALinkForEachLine) {
    TItemsHunk hunk("h");
    THunk* target = AddSubHunk(hunk, "aaaa bbbb cccc");
    const TLayoutResult r = Layout(hunk, 1, {100, 100}, kTen);
    // 76 pixels per line: each word goes on a line of its own with its blank.
    EXPECT_EQ(r.fragments, (std::vector<TWrapInfo>{Frag(8, 8, 58, 28, 0, 4, target),
                                                   Frag(8, 28, 58, 48, 5, 4, target),
                                                   Frag(8, 48, 58, 68, 10, 4, target)}));
    EXPECT_EQ(LinksOf(r.fragments),
              (std::vector<TLinkInfo>{
                  {8, 8, 58, 28, target}, {8, 28, 58, 48, target}, {8, 48, 58, 68, target}}));
}

TEST(LayoutLinkRegions, LinesAndSeparatorsGiveNoLinks) {
    TItemsHunk hunk("h");
    AddLine(hunk, "text", {.hardBreak = true});
    AddLine(hunk, "-", {.hardBreak = true, .isSeparator = true});
    const TLayoutResult r = Layout(hunk, 2, {200, 100}, kTen);
    EXPECT_EQ(r.fragments.size(), 2u);
    EXPECT_TRUE(LinksOf(r.fragments).empty());
}

TEST(LayoutLinkRegions, LinksAreEqualOnlyWhenAllFieldsAre) {
    TItemsHunk hunk("h");
    THunk* a = AddSubHunk(hunk, "a");
    THunk* b = AddSubHunk(hunk, "b");
    const TLinkInfo link{1, 2, 3, 4, a};
    EXPECT_EQ(link, (TLinkInfo{1, 2, 3, 4, a}));
    EXPECT_NE(link, (TLinkInfo{1, 2, 3, 4, b}));
    EXPECT_NE(link, (TLinkInfo{1, 2, 3, 5, a}));
    EXPECT_NE(link, (TLinkInfo{0, 2, 3, 4, a}));
}

TEST(LayoutSeparatorRule, SpansTheTextWidthAtMidLine) {
    const TWrapInfo f = Frag(8, 28, 28, 48, 0, 1, nullptr);
    EXPECT_EQ(SeparatorLineOf(f, 200, 20), (TSeparatorLine{8, 192, 38}));
    EXPECT_EQ(SeparatorLineOf(f, 300, 21), (TSeparatorLine{8, 292, 38}));  // 21 / 2 = 10
}

// A picture hunk of a loaded file: the picture object with hot spots (0,0)-(10,10) and
// (5,5)-(20,20).
class PictureLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        HintFileSpec file;
        file.title88 = "Game";
        file.root = MakeSubject("Game");
        HintNode* pic = file.root->Add(MakeData("HYPERPNG", "Pic", "PNGDATA"));
        pic->AddRegion(0, 0, 10, 10, MakeText("T1", {"one"}));
        pic->AddRegion(5, 5, 20, 20, MakeText("T2", {"two"}));
        ASSERT_EQ(test::LoadBytes(test::WriteOrFail(file), doc), LoadOk);
        auto* root = test::Items(doc.GetRoot());
        ASSERT_NE(root, nullptr);
        ASSERT_EQ(root->GetChildCount(), 1u);
        picture = dynamic_cast<THyperPNGHunk*>(root->GetChild(0));
        ASSERT_NE(picture, nullptr);
        object = picture->Finish();
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(object->regions.size(), 2u);
        ASSERT_TRUE(object->hardBreak);  // hunks end their line when the file is read
    }

    THintDocument doc;
    THyperPNGHunk* picture = nullptr;
    TPNGObject* object = nullptr;
};

TEST_F(PictureLayout, PictureTakesItsImageSize) {
    const PictureSizeFn size_of = [this](const TPNGObject& p) {
        return &p == object ? TSize{40, 30} : TSize{};
    };
    const TLayoutResult r = Layout(*picture, 1, {200, 100}, kTen, size_of);
    EXPECT_EQ(r.fragments, (std::vector<TWrapInfo>{Frag(8, 8, 48, 38, 0, 0, object)}));
    // Below the image, the picture's hard break ends one more line.
    EXPECT_EQ(r.size, (TSize{56, 66}));
    EXPECT_EQ(LinksOf(r.fragments),
              (std::vector<TLinkInfo>{{8, 8, 18, 18, object->regions[0].target},
                                      {13, 13, 28, 28, object->regions[1].target}}));
}

TEST_F(PictureLayout, UndecodedPictureTakesNoRoomButKeepsItsHotSpots) {
    const TLayoutResult r = Layout(*picture, 1, {200, 100}, kTen);
    EXPECT_EQ(r.fragments, (std::vector<TWrapInfo>{Frag(8, 8, 8, 8, 0, 0, object)}));
    EXPECT_EQ(r.size, (TSize{16, 36}));
    EXPECT_EQ(LinksOf(r.fragments),
              (std::vector<TLinkInfo>{{8, 8, 18, 18, object->regions[0].target},
                                      {13, 13, 28, 28, object->regions[1].target}}));
}

TEST_F(PictureLayout, TextAfterAPictureContinuesBelowIt) {
    TItemsHunk mixed("m");
    mixed.ownsChildren = false;  // borrows the picture object
    mixed.children.push_back(object);
    object->hardBreak = 0;
    auto line = std::make_unique<THunkLine>("ab");
    line->endsSourceLine = 1;
    mixed.children.push_back(line.get());
    const PictureSizeFn size_of = [](const TPNGObject&) { return TSize{40, 30}; };
    const TLayoutResult r = Layout(mixed, 2, {200, 100}, kTen, size_of);
    // x stays at the picture's left; the text starts at its bottom.
    EXPECT_EQ(r.fragments, (std::vector<TWrapInfo>{Frag(8, 8, 48, 38, 0, 0, object),
                                                   Frag(8, 38, 38, 58, 0, 2, line.get())}));
    EXPECT_EQ(r.size, (TSize{56, 66}));
}

}  // namespace
}  // namespace klu
