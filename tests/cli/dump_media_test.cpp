// klu dump of media hunks: where their data lies, overlay positions, picture regions, and the
// picture mode that turns a HYPERPNG hunk into a picture object among its parent's children.

#include <gtest/gtest.h>

#include "dump_support.h"
#include "sample_files.h"

namespace klu::cli_test {
namespace {

// The writer stores each piece of media data whole, so its offset is where its bytes are.
size_t OffsetOf(std::string_view data) {
    const size_t at = TourBytes().find(data);
    EXPECT_NE(at, std::string::npos) << "the file lacks " << data;
    EXPECT_EQ(TourBytes().find(data, at + 1), std::string::npos) << data << " is not unique";
    return at;
}

Json DataFields(std::string_view data) {
    Json fields;
    fields["offset"] = OffsetOf(data);
    fields["length"] = data.size();
    return fields;
}

Json Merged(Json base, const Json& more) {
    base.update(more);
    return base;
}

// The picture's two children, the same with and without picture mode.
Json PictureChildren() {
    return Json::array(
        {Merged(Json::parse(R"({"type": "OVERLAY", "line": 37, "lines": 3, "title": "Lamp",
                 "flags": "HWE", "x": 3, "y": 4})"),
                DataFields(kOverlayPng)),
         Json::parse(R"({"type": "LINK", "line": 41, "lines": 3, "title": "Back",
                 "flags": "HWE", "target": 3})")});
}

const Json kRegions = Json::parse("[[1, 2, 30, 40], [5, 6, 7, 8]]");

TEST(KluDumpMedia, GifAndSoundPointAtTheirData) {
    const Json& tour = TourDump().json;
    EXPECT_EQ(RootChild(tour, 5), Merged(Json::parse(R"({"type": "GIFA", "line": 27, "lines": 3,
                         "title": "Old picture", "flags": "HWE"})"),
                                         DataFields(kGifData)));
    EXPECT_EQ(RootChild(tour, 6), Merged(Json::parse(R"({"type": "SOUND", "line": 30, "lines": 3,
                         "title": "Noise", "flags": "HWE"})"),
                                         DataFields(kSoundData)));
}

TEST(KluDumpMedia, PictureHunkHoldsOnePictureObjectWithRegions) {
    const Json& map = RootChild(TourDump().json, 7);
    EXPECT_EQ(WithoutChildren(map), Json::parse(R"({"type": "HYPERPNG", "line": 33, "lines": 11,
        "title": "Map", "flags": "HWE"})"));
    ASSERT_EQ(map.at("children").size(), 1u);
    // Built from the same header after the title line was read, the object stands on that line
    // and keeps the fixed title of pictures.
    Json expected = Json::parse(R"({"type": "PNGOBJECT", "line": 34, "lines": 11,
        "title": "This is a graphic.", "flags": "HWE"})");
    expected.update(DataFields(kMapPng));
    expected["regions"] = kRegions;
    expected["children"] = PictureChildren();
    EXPECT_EQ(map.at("children")[0], expected);
}

TEST(KluDumpMedia, PictureModeMakesThePictureObjectAChildOfTheParent) {
    const Dumped& dumped = TourDump(true);
    ASSERT_EQ(dumped.run.status, 0) << dumped.run.err;
    const Json& children = dumped.json.at("entries").at(1).at("children");
    ASSERT_EQ(children.size(), 9u);
    Json expected = Json::parse(R"({"type": "PNGOBJECT", "line": 33, "lines": 11,
        "title": "Map", "flags": "HWE"})");
    expected.update(DataFields(kMapPng));
    expected["regions"] = kRegions;
    expected["children"] = PictureChildren();
    EXPECT_EQ(children[7], expected);
}

TEST(KluDumpMedia, PictureModeChangesNothingElse) {
    Json plain = TourDump(false).json;
    Json pictures = TourDump(true).json;
    plain["entries"][1]["children"].erase(7);
    pictures["entries"][1]["children"].erase(7);
    EXPECT_EQ(plain, pictures);
}

}  // namespace
}  // namespace klu::cli_test
