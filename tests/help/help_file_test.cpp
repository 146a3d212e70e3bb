// The reader's help file RORED.KLU as the build makes it, loaded as the reader loads it (picture
// mode): the titles the Help commands look for, the hot spots of its pictures and its links.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/hint_document.h"
#include "model/hunk.h"
#include "model/items_hunk.h"
#include "model/link_hunk.h"
#include "model/media_hunks.h"
#include "views/load_png.h"
#include "views/text_layout.h"

namespace klu::test {
namespace {

// Every hunk of the tree below and including hunk, in tree order.
void CollectHunks(THunk* hunk, std::vector<THunk*>& hunks) {
    hunks.push_back(hunk);
    if (auto* items = NodeCast<TItemsHunk>(hunk)) {
        for (TKLUObject* child : items->children) {
            if (THunk* sub = child->AsHunk()) CollectHunks(sub, hunks);
        }
    }
}

bool IsBelow(const THunk* hunk, const THunk* ancestor) {
    for (const THunk* up = hunk->parent; up; up = up->parent) {
        if (up == ancestor) return true;
    }
    return false;
}

class HelpFileContentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadResult result = LoadCorrupted;
        ASSERT_TRUE(LoadHintFileAt(KLU_HELP_FILE, document, true, result)) << KLU_HELP_FILE;
        ASSERT_EQ(result, LoadOk) << LoadResultName(result);
        root = document.GetRoot();
        ASSERT_NE(root, nullptr);
        CollectHunks(root, hunks);
    }

    std::vector<TPNGObject*> Pictures() const {
        std::vector<TPNGObject*> pictures;
        for (THunk* hunk : hunks) {
            if (auto* picture = NodeCast<TPNGObject>(hunk)) pictures.push_back(picture);
        }
        return pictures;
    }

    // The size of the picture decoded as the reader decodes it.
    TSize SizeOf(const DataRange& data) const {
        const std::unique_ptr<DecodedBitmap> image = LoadPNG(KLU_HELP_FILE, data.dataOffset);
        EXPECT_TRUE(image) << "no picture at offset " << data.dataOffset;
        return image ? TSize{image->Width(), image->Height()} : TSize{};
    }

    // Every region lies inside the picture, has room, and no two overlap.
    void ExpectRegionsFit(const TPNGObject& picture) const {
        const TSize size = SizeOf(picture);
        for (size_t i = 0; i < picture.regions.size(); ++i) {
            const Rect& r = picture.regions[i];
            SCOPED_TRACE(picture.GetName() + ", region " + std::to_string(i));
            EXPECT_LT(r.left, r.right);
            EXPECT_LT(r.top, r.bottom);
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.right, size.width);
            EXPECT_LE(r.bottom, size.height);
            for (size_t j = 0; j < i; ++j) {
                const Rect& o = picture.regions[j];
                const bool apart = r.right <= o.left || o.right <= r.left || r.bottom <= o.top ||
                                   o.bottom <= r.top;
                EXPECT_TRUE(apart) << "overlaps region " << j;
            }
        }
    }

    THintDocument document;
    THunk* root = nullptr;
    std::vector<THunk*> hunks;
};

TEST_F(HelpFileContentTest, CarriesTheTitlesTheHelpCommandsLookFor) {
    EXPECT_EQ(root->GetName(), "KLU Reader Documentation");
    THunk* index = root->FindByName("Help File Index");
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->GetType(), SUBJECT);
    THunk* zip = root->FindByName("Unzipping ZIP Files");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->GetType(), SUBJECT);
    EXPECT_GE(dynamic_cast<TItemsHunk&>(*zip).GetChildCount(), 2u);
}

TEST_F(HelpFileContentTest, EveryTopicIsBelowTheIndexSoPrintingTheHelpFileTakesAll) {
    const THunk* index = root->FindByName("Help File Index");
    ASSERT_NE(index, nullptr);
    for (const THunk* hunk : hunks) {
        if (hunk == root || hunk == index) continue;
        EXPECT_TRUE(IsBelow(hunk, index)) << hunk->GetName();
    }
    EXPECT_GE(dynamic_cast<const TItemsHunk&>(*index).GetChildCount(), 10u);
}

TEST_F(HelpFileContentTest, TheControlBarPictureLeadsFromEveryButtonToATopic) {
    THunk* index = root->FindByName("Help File Index");
    ASSERT_NE(index, nullptr);
    // In picture mode the picture is a child of the index itself, drawn in its window.
    TPNGObject* bar = nullptr;
    for (TKLUObject* child : dynamic_cast<TItemsHunk&>(*index).children) {
        if (auto* picture = NodeCast<TPNGObject>(child)) bar = picture;
    }
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetName(), "The control bar");
    ASSERT_EQ(bar->regions.size(), 8u) << "one hot spot per button of the control bar";
    ExpectRegionsFit(*bar);
    for (const Rect& region : bar->regions) {
        ASSERT_NE(region.target, nullptr);
        auto* link = NodeCast<TLinkHunk>(region.target);
        ASSERT_NE(link, nullptr) << region.target->GetName();
        const THunk* topic = link->Target();
        ASSERT_NE(topic, nullptr) << link->GetName();
        EXPECT_TRUE(topic->GetType() == TEXT || topic->GetType() == SUBJECT) << topic->GetName();
    }
}

TEST_F(HelpFileContentTest, TheExamplePictureOpensAnOverlayAndAText) {
    const std::vector<TPNGObject*> pictures = Pictures();
    ASSERT_EQ(pictures.size(), 2u);
    const TPNGObject& room = *pictures[1];
    ASSERT_EQ(room.regions.size(), 2u);
    ExpectRegionsFit(room);
    const auto* overlay = NodeCast<TOverlayHunk>(room.regions[0].target);
    ASSERT_NE(overlay, nullptr);
    const TSize base = SizeOf(room);
    const TSize patch = SizeOf(*overlay);
    EXPECT_GT(patch.width, 0);
    EXPECT_LE(overlay->x + patch.width, base.width);
    EXPECT_LE(overlay->y + patch.height, base.height);
    ASSERT_NE(room.regions[1].target, nullptr);
    EXPECT_EQ(room.regions[1].target->GetType(), TEXT);
}

TEST_F(HelpFileContentTest, EveryLinkLeadsSomewhereAndTitlesAreUnique) {
    std::set<std::string> titles;
    size_t links = 0;
    for (THunk* hunk : hunks) {
        if (auto* link = NodeCast<TLinkHunk>(hunk)) {
            ++links;
            EXPECT_NE(link->Target(), nullptr) << link->GetName();
        } else if (hunk->GetType() != BLANK) {
            // A title used twice would make links and the Help commands' look-ups ambiguous.
            EXPECT_TRUE(titles.insert(hunk->GetName()).second) << hunk->GetName();
        }
    }
    EXPECT_GE(links, 8u);
}

TEST_F(HelpFileContentTest, TextPagesHaveTextAndQuestionsHaveHints) {
    for (THunk* hunk : hunks) {
        auto* items = NodeCast<TItemsHunk>(hunk);
        if (!items || (hunk->GetType() != TEXT && hunk->GetType() != HINT)) continue;
        EXPECT_GT(items->GetChildCount(), 0u) << hunk->GetName();
        if (hunk->GetType() == HINT) {
            size_t separators = 0;
            for (const TKLUObject* child : items->children)
                separators += child->isSeparator;
            EXPECT_GE(separators, 1u) << hunk->GetName() << " should hold several hints";
        }
    }
}

}  // namespace
}  // namespace klu::test
