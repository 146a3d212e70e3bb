#include "sample_files.h"

#include <stdexcept>

#include "model/document/text_hunk.h"
#include "views/png_writer.h"

namespace klu::cli_test {

std::string GreyPng(int width) {
    PngPicture picture(width, 1, PngKind::Grey, 8);
    picture.samples.assign(static_cast<size_t>(width), 200);
    return EncodePng(picture);
}

// Line numbers count from the first line after the older-format part; a hunk spans its header,
// its title and its body lines:
//   1 SUBJECT "Tour" (root, 47 lines)
//   3   SUBJECT "Caf\xE9 corner" (8 lines)
//   5     HINT "How do I open the door?" (6): 7 hint, 8 "-", 9 hint, 10 hint
//  11   TEXT "Intro" (3)
//  14   LINK "See the door" (3) -> 5
//  17   BLANK (2)
//  19   NESTHINT "Nested" (8): 21 line, 22 "-", 23 "=", then
//  24     LINK "Jump" (3) -> 11
//  27   GIFA "Old picture" (3)
//  30   SOUND "Noise" (3)
//  33   HYPERPNG "Map" (11): 35 data line, 36 region line, then
//  37     OVERLAY "Lamp" (3), 40 region line, then
//  41     LINK "Back" (3) -> 3
//  44   FROBNICATE "Mystery \x80\xFF" (4): an unknown keyword with two body lines
//  48 VERSION "1.0" (3)
//  51 INFO "" (3)
HintFilePlan TourPlan() {
    HintFilePlan plan;
    plan.title88 = "Tour, older part";
    plan.root = MakeSubject("Tour");
    HintNode& root = *plan.root;

    HintNode* corner = root.Add(MakeSubject("Caf\xE9 corner"));
    const HintNode* door = corner->Add(
        MakeQuestion("How do I open the door?",
                     {{"Look around."}, {"Ask the caf\xE9 owner.", "It is under the mat."}}));
    const HintNode* intro = root.Add(MakeText("Intro", {"Welcome to the tour.", "Second line"},
                                              TextHunk::kNoWrapFlag | TextHunk::kAltFontFlag));
    root.Add(MakeLink("See the door", door));
    root.Add(MakeBlank());
    HintNode* nested = root.Add(MakeNode("NESTHINT", "Nested"));
    nested->Line("First nested").Separator();
    nested->Add(MakeLink("Jump", intro));
    root.Add(MakeData("GIFA", "Old picture", std::string(kGifData)));
    root.Add(MakeData("SOUND", "Noise", std::string(kSoundData)));
    HintNode* map = root.Add(MakeData("HYPERPNG", "Map", std::string(kMapPng)));
    HintNode* lamp =
        map->AddRegion(1, 2, 30, 40, MakeData("OVERLAY", "Lamp", std::string(kOverlayPng)));
    lamp->x = 3;
    lamp->y = 4;
    map->AddRegion(5, 6, 7, 8, MakeLink("Back", corner));
    root.Add(MakeNode("FROBNICATE", "Mystery \x80\xFF"))->Line("first unknown").Line("second");

    plan.topLevel.push_back(MakeNode("VERSION", "1.0"));
    plan.topLevel.back()->Line("compiler x");
    plan.topLevel.push_back(MakeNode("INFO", ""));
    plan.topLevel.back()->Line("author=Jane");
    return plan;
}

HintFilePlan OlderFormatPlan(const std::string& title) {
    HintFilePlan plan;
    plan.title88 = title;
    plan.subjects88 = {{"Old subject", {{"Old question", {"hint one", "hint two"}}}}};
    return plan;
}

HintFilePlan NestedSubjectsPlan(int depth) {
    HintFilePlan plan;
    plan.title88 = "Deep";
    plan.root = MakeSubject("Deep root");
    HintNode* inner = plan.root.get();
    for (int i = 0; i < depth; ++i)
        inner = inner->Add(MakeSubject("Level " + std::to_string(i)));
    return plan;
}

std::string Bytes(const HintFilePlan& plan) {
    std::string error;
    const auto bytes = WriteHintFile(plan, &error);
    if (!bytes) throw std::runtime_error("the writer refused a test file: " + error);
    return *bytes;
}

std::string WithBrokenChecksum(const HintFilePlan& plan) {
    std::string bytes = Bytes(plan);
    bytes.back() = static_cast<char>(bytes.back() ^ 0x01);
    return bytes;
}

}  // namespace klu::cli_test
