// The built help file RORED.KLU, loaded in picture mode: the titles the Help commands look for,
// its hot spots and links; it and the demo file come back whole through an outline.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/document/hint_document.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/outline/outline.h"
#include "views/load_png.h"
#include "views/text_layout.h"
#include "../model/temp_folder.h"

namespace klu::test {
namespace {

void CollectHunks(Hunk* hunk, std::vector<Hunk*>& hunks) {
    hunks.push_back(hunk);
    if (auto* items = NodeCast<ItemsHunk>(hunk))
        for (KLUObject* child : items->children)
            if (Hunk* sub = child->AsHunk()) CollectHunks(sub, hunks);
}

class HelpFileContentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const LoadResult result = LoadHintFile(ReadHintFile(KLU_HELP_FILE), document, true).result;
        ASSERT_EQ(result, LoadResult::Ok) << LoadResultName(result);
        root = document.GetRoot();
        ASSERT_NE(root, nullptr);
        CollectHunks(root, hunks);
        index = NodeCast<ItemsHunk>(root->FindByName("Help File Index"));
        ASSERT_NE(index, nullptr);
    }

    // The size of the picture decoded as the reader decodes it.
    LayoutSize SizeOf(const DataRange& data) const {
        const std::unique_ptr<DecodedBitmap> image = LoadPNG(KLU_HELP_FILE, data.dataOffset);
        EXPECT_TRUE(image) << "no picture at offset " << data.dataOffset;
        return image ? LayoutSize{image->Width(), image->Height()} : LayoutSize{};
    }

    // Every region lies inside the picture, has room, and no two overlap.
    void ExpectRegionsFit(const PNGObject& picture) const {
        const LayoutSize size = SizeOf(picture);
        for (size_t i = 0; i < picture.regions.size(); ++i) {
            const Rect& r = picture.regions[i];
            SCOPED_TRACE(picture.GetName() + ", region " + std::to_string(i));
            EXPECT_TRUE(0 <= r.left && r.left < r.right && r.right <= size.width)
                << r.left << " to " << r.right << " across " << size.width;
            EXPECT_TRUE(0 <= r.top && r.top < r.bottom && r.bottom <= size.height)
                << r.top << " to " << r.bottom << " down " << size.height;
            for (size_t j = 0; j < i; ++j) {
                const Rect& o = picture.regions[j];
                const bool apart = r.right <= o.left || o.right <= r.left || r.bottom <= o.top ||
                                   o.bottom <= r.top;
                EXPECT_TRUE(apart) << "overlaps region " << j;
            }
        }
    }

    HintDocument document;
    Hunk* root = nullptr;
    std::vector<Hunk*> hunks;
    ItemsHunk* index = nullptr;
};

// Every topic is below the index, so that printing the help file from it takes them all.
TEST_F(HelpFileContentTest, CarriesTheTitlesTheHelpCommandsLookForAndTheIndexHoldsEveryTopic) {
    EXPECT_EQ(root->GetName(), "KLU Reader Documentation");
    EXPECT_EQ(index->GetType(), SUBJECT);
    EXPECT_GE(index->GetChildCount(), 10u);
    auto* zip = NodeCast<ItemsHunk>(root->FindByName("Unzipping ZIP Files"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->GetType(), SUBJECT);
    EXPECT_GE(zip->GetChildCount(), 2u);
    std::vector<Hunk*> below;
    CollectHunks(index, below);
    EXPECT_EQ(below.size(), hunks.size() - 1) << "hunks beside the index";
}

// The control bar picture leads from every button to a topic; the example picture opens an
// overlay and a text.
TEST_F(HelpFileContentTest, ThePicturesHotSpotsFitAndLeadToTopics) {
    std::vector<PNGObject*> pictures;
    for (Hunk* hunk : hunks)
        if (auto* picture = NodeCast<PNGObject>(hunk)) pictures.push_back(picture);
    ASSERT_EQ(pictures.size(), 2u);
    // In picture mode the bar is a child of the index itself, drawn in its window.
    const PNGObject& bar = *pictures[0];
    EXPECT_EQ(bar.parent, index);
    EXPECT_EQ(bar.GetName(), "The control bar");
    ASSERT_EQ(bar.regions.size(), 8u) << "one hot spot per button of the control bar";
    ExpectRegionsFit(bar);
    for (const Rect& region : bar.regions) {
        auto* link = NodeCast<LinkHunk>(region.target);
        ASSERT_NE(link, nullptr);
        const Hunk* topic = link->Target();
        ASSERT_NE(topic, nullptr) << link->GetName();
        EXPECT_TRUE(topic->GetType() == TEXT || topic->GetType() == SUBJECT) << topic->GetName();
    }

    const PNGObject& room = *pictures[1];
    ASSERT_EQ(room.regions.size(), 2u);
    ExpectRegionsFit(room);
    const auto* overlay = NodeCast<OverlayHunk>(room.regions[0].target);
    ASSERT_NE(overlay, nullptr);
    const LayoutSize base = SizeOf(room);
    const LayoutSize patch = SizeOf(*overlay);
    EXPECT_GT(patch.width, 0);
    EXPECT_LE(overlay->x + patch.width, base.width);
    EXPECT_LE(overlay->y + patch.height, base.height);
    ASSERT_NE(room.regions[1].target, nullptr);
    EXPECT_EQ(room.regions[1].target->GetType(), TEXT);
}

// Every link leads somewhere, titles are unique, text pages have text and questions hints.
TEST_F(HelpFileContentTest, LinksLeadSomewhereTitlesAreUniqueAndPagesAreNotEmpty) {
    std::set<std::string> titles;
    size_t links = 0;
    for (Hunk* hunk : hunks) {
        if (auto* link = NodeCast<LinkHunk>(hunk)) {
            ++links;
            EXPECT_NE(link->Target(), nullptr) << link->GetName();
        } else if (hunk->GetType() != BLANK) {
            // A title used twice would make links and the Help commands' look-ups ambiguous.
            EXPECT_TRUE(titles.insert(hunk->GetName()).second) << hunk->GetName();
        }
        auto* items = NodeCast<ItemsHunk>(hunk);
        if (!items || (hunk->GetType() != TEXT && hunk->GetType() != HINT)) continue;
        EXPECT_GT(items->GetChildCount(), 0u) << hunk->GetName();
        if (hunk->GetType() == HINT) {
            const auto separators = std::ranges::count_if(
                items->children, [](const KLUObject* child) { return child->isSeparator; });
            EXPECT_GE(separators, 1) << hunk->GetName() << " should hold several hints";
        }
    }
    EXPECT_GE(links, 8u);
}

// Go to the KLU Web Site is in the menu only when the build names a web address.
TEST_F(HelpFileContentTest, TellsOfTheWebSiteCommandOnlyWhenTheBuildHasIt) {
    size_t told = 0;
    for (Hunk* hunk : hunks) {
        if (auto* items = NodeCast<ItemsHunk>(hunk)) {
            told += std::ranges::count_if(items->children, [](const KLUObject* line) {
                return line->GetName().find("Go to the KLU Web Site") != std::string::npos;
            });
        }
    }
    EXPECT_EQ(told, std::string(KLU_WEB_ADDRESS).empty() ? 0u : 1u);
}

TEST(BuiltFiles, ComeBackThroughAnOutlineAsTheSameTree) {
    for (const std::string file : {KLU_DEMO_FILE, KLU_HELP_FILE}) {
        HintDocument document;
        ASSERT_EQ(LoadHintFile(ReadHintFile(file), document, false).result, LoadResult::Ok) << file;
        const TempFolder folder;
        EXPECT_EQ(DecompiledDifference(document, file, folder.path()), "") << file;
    }
}

}  // namespace
}  // namespace klu::test
