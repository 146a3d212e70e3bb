// The web page's costs and hot spots: a page stays within a small multiple of its file however
// deep the hints nest or often the hunks share data, and a hot spot stays on its picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>

#include "fuzz/seed_catalog.h"
#include "fuzz/seed_media.h"
#include "model/checksum.h"
#include "model/html_export.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

// The page of a file, its data read from where the file was written.
std::string PageOf(const std::string& bytes) {
    test::TempFolder folder;
    const std::string path = folder / "file.klu";
    std::ofstream(path, std::ios::binary) << bytes;
    THintDocument doc;
    EXPECT_TRUE(test::LoadFileAt(path, doc));
    std::ostringstream page;
    EXPECT_TRUE(ExportHtml(doc, path, page));
    return page.str();
}

// A file of many sounds that all play the one stretch of data the file holds.
std::string SoundsSharingData(int sounds, size_t data_size) {
    std::string bytes = "KLU\r\nEchoes\r\n1\r\n0\r\n** END OF 88A FORMAT **\r\n";
    bytes += std::to_string(2 + 3 * sounds) + " SUBJECT\r\nEchoes\r\n";
    for (int i = 0; i < sounds; ++i)
        bytes += "3 SOUND\r\nEcho\r\n0 " + std::string(12, '0') + " " + std::to_string(data_size) +
                 "\r\n";
    bytes += '\x1A';
    const std::string offset = std::to_string(bytes.size());
    for (size_t at = 0; (at = bytes.find(" 000000000000 ", at)) != std::string::npos; ++at)
        bytes.replace(at + 13 - offset.size(), offset.size(), offset);
    bytes += std::string(data_size, 'a');
    const uint16_t sum = StoredChecksum(bytes);
    return bytes + static_cast<char>(sum & 0xFF) + static_cast<char>(sum >> 8);
}

TEST(WebPage, DeeplyNestedHintsStayWithinTheBound) {
    for (const auto& seed : seeds::DeepNestedSeeds()) {
        const std::string bytes = test::WriteOrFail(seed.file);
        ASSERT_LE(PageOf(bytes).size(), MaxPageSize(bytes.size())) << seed.name;
    }
}

TEST(WebPage, HunksSharingTheirDataStayWithinTheBound) {
    const std::string bytes = SoundsSharingData(200, 20000);
    const std::string page = PageOf(bytes);
    EXPECT_LE(page.size(), MaxPageSize(bytes.size()));
    EXPECT_NE(page.find("the hint file uses its data too many times"), std::string::npos);
}

TEST(WebPage, HotSpotsWithExtremeCornersCoverTheirPictureAtMost) {
    HintFilePlan plan = seeds::NewerFile("Corners");
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    plan.root->Add(MakeData("HYPERPNG", "Map", seeds::TinyPng()))
        ->AddRegion(kMin, kMin, kMax, kMax, MakeText("Everywhere", {"All of it."}));
    EXPECT_NE(PageOf(test::WriteOrFail(plan))
                  .find("left:0.000%;top:0.000%;width:100.000%;"
                        "height:100.000%"),
              std::string::npos);
}

// The page leaves incentives out, and its outline numbers run on without a gap for them.
TEST(WebPage, NumbersRunOnPastAnIncentiveItLeavesOut) {
    HintFilePlan plan = seeds::NewerFile("Numbers");
    plan.root->Add(MakeSubject("Before"));
    plan.root->Add(MakeNode("INCENTIVE", "Buy it"))->Line("Send money");
    plan.root->Add(MakeSubject("After"));
    const std::string page = PageOf(test::WriteOrFail(plan));
    EXPECT_EQ(page.find("Buy it"), std::string::npos);
    EXPECT_NE(page.find(">2. After</h2>"), std::string::npos);
}

}  // namespace
}  // namespace klu
