// Text bodies decoded where they lie in the file's bytes give the tree that decoding copies
// gives, also where two text hunks share their body's bytes.
#include <gtest/gtest.h>

#include "fuzz/seed_catalog.h"
#include "model/checksum.h"
#include "model/hint_document.h"
#include "model/text_hunk.h"
#include "model/tree_compare.h"
#include "model_test_support.h"

namespace klu {
namespace {

// The load result of both ways, and where their trees differ ("" when they do not).
std::string InPlaceDifference(const std::string& bytes) {
    THintDocument copied, in_place;
    const LoadResult copied_result = test::LoadBytes(bytes, copied);
    const LoadResult in_place_result =
        LoadHintFileBytes(std::vector<char>(bytes.begin(), bytes.end()), in_place, false);
    if (copied_result != in_place_result) return "the load results differ";
    return TreeDifference(copied, "", in_place, "");
}

TEST(LoadInPlace, EverySeedLoadsAsWithCopies) {
    for (auto group : {seeds::OlderFormatSeeds, seeds::NewerFormatSeeds, seeds::MetaHunkSeeds,
                       seeds::PictureSeeds, seeds::ChecksumSeeds}) {
        for (const auto& seed : group())
            EXPECT_EQ(InPlaceDifference(test::WriteOrFail(seed.file)), "") << seed.name;
    }
}

TTextHunk* TextHunk(THintDocument& document, size_t index) {
    auto& children = static_cast<TItemsHunk*>(document.GetRoot())->children;
    return static_cast<TTextHunk*>(children.at(index)->AsHunk());
}

TEST(LoadInPlace, TextHunksSharingABodyBothShowIt) {
    HintFilePlan plan = seeds::NewerFile("Shared");
    plan.root->Add(MakeText("First", {"the same words", "twice over"}));
    plan.root->Add(MakeText("Second", {"other letters!", "here as well"}));
    std::string bytes = test::WriteOrFail(plan);

    // Point the second hunk at the first one's body (same digits, same length), and seal the
    // file again with a checksum at its end.
    THintDocument original;
    ASSERT_EQ(test::LoadBytes(bytes, original), LoadOk);
    const auto number = [](const TTextHunk* hunk) {
        return " " + std::to_string(hunk->offset) + " " + std::to_string(hunk->length);
    };
    const std::string first = number(TextHunk(original, 0));
    const std::string second = number(TextHunk(original, 1));
    ASSERT_EQ(first.size(), second.size());
    const size_t at = bytes.rfind(second);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, second.size(), first);
    const uint16_t sum = StoredChecksum(std::string_view(bytes).substr(0, bytes.size() - 2));
    bytes[bytes.size() - 2] = static_cast<char>(sum & 0xFF);
    bytes[bytes.size() - 1] = static_cast<char>(sum >> 8);

    EXPECT_EQ(InPlaceDifference(bytes), "");
    THintDocument in_place;
    ASSERT_EQ(LoadHintFileBytes(std::vector<char>(bytes.begin(), bytes.end()), in_place, false),
              LoadOk);
    for (size_t index : {0, 1}) {
        const auto& lines = TextHunk(in_place, index)->children;
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0]->title.view(), "the same words");
        EXPECT_EQ(lines[1]->title.view(), "twice over");
    }
}

}  // namespace
}  // namespace klu
