// Pictures with hot spots among laid-out fragments: their size and their links.
#include <gtest/gtest.h>

#include <vector>

#include "../model/model_test_support.h"
#include "layout_test_support.h"
#include "model/media_hunks.h"
#include "views/text_layout.h"
#include "views/text_layout_links.h"

namespace klu {
namespace {

using test::Frag;
using Frags = std::vector<TWrapInfo>;

const FixedWidthMeasurer kTen(10, 20);

// A picture hunk of a loaded file: the picture object with hot spots (0,0)-(10,10) and
// (5,5)-(20,20).
class PictureLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        HintFilePlan file;
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

TEST_F(PictureLayout, PictureTakesItsImageSizeOrNoneAndKeepsItsHotSpots) {
    const std::vector<TLinkInfo> hot_spots = {{8, 8, 18, 18, object->regions[0].target},
                                              {13, 13, 28, 28, object->regions[1].target}};
    const PictureSizeFn size_of = [this](const TPNGObject& p) {
        return &p == object ? TSize{40, 30} : TSize{};
    };
    const TLayoutResult r = Layout(*picture, 1, {200, 100}, kTen, size_of);
    EXPECT_EQ(r.fragments, (Frags{Frag(8, 8, 48, 38, 0, 0, object)}));
    // Below the image, the picture's hard break ends one more line.
    EXPECT_EQ(r.size, (TSize{56, 66}));
    EXPECT_EQ(LinksOf(r.fragments), hot_spots);

    // Not decoded: no room taken.
    const TLayoutResult undecoded = Layout(*picture, 1, {200, 100}, kTen);
    EXPECT_EQ(undecoded.fragments, (Frags{Frag(8, 8, 8, 8, 0, 0, object)}));
    EXPECT_EQ(undecoded.size, (TSize{16, 36}));
    EXPECT_EQ(LinksOf(undecoded.fragments), hot_spots);
}

}  // namespace
}  // namespace klu
