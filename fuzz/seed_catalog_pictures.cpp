#include "seed_catalog.h"
#include "seed_media.h"

namespace klu::seeds {
namespace {

HintFilePlan PictureWithRegions() {
    auto file = NewerFile("Map Room");
    HintNode* room = file.root->Add(MakeSubject("The Map"));
    HintNode* map = room->Add(MakeData("HYPERPNG", "World map", TinyPng()));
    map->AddRegion(0, 0, 1, 1, MakeQuestion("What is in the north?", {{"Snow."}, {"A yeti."}}));
    map->AddRegion(1, 0, 2, 1, MakeText("Southern legend", {"Here be dragons."}));
    HintNode* target = room->Add(MakeQuestion("Where is the treasure?", {{"Under the X."}}));
    map->AddRegion(0, 1, 2, 2, MakeLink("Go to the treasure", target));
    room->Add(MakeLink("Into the map", map))->intoPicture = true;
    map->AddRegion(2, 2, 3, 3, MakeLink("Into the map again", map))->intoPicture = true;
    return file;
}

HintFilePlan PictureWithOverlays() {
    auto file = NewerFile("Dress Up");
    HintNode* picture = file.root->Add(MakeData("HYPERPNG", "Doll", TinyPng()));
    auto hat = MakeData("OVERLAY", "Hat", TinyPng());
    hat->x = 1;
    hat->y = 0;
    picture->AddRegion(0, 0, 2, 1, std::move(hat));
    auto shoes = MakeData("OVERLAY", "Shoes off the edge", TinyPng());
    shoes->x = 5000;
    shoes->y = -3;
    picture->AddRegion(-10, -10, 100000, 100000, std::move(shoes));
    picture->AddRegion(2, 2, 0, 0, MakeBlank());  // an inverted region
    return file;
}

HintFilePlan GifAndSound() {
    auto file = NewerFile("Old Media");
    HintNode* media = file.root->Add(MakeSubject("Media"));
    media->Add(MakeData("GIFA", "An old picture", TinyGif()));
    auto sound = MakeData("SOUND", "A beep", TinyWave(64));
    sound->spare = 42;
    media->Add(std::move(sound));
    auto padded = MakeData("GIFA", "Padded header", TinyGif());
    padded->extraLines = 3;
    media->Add(std::move(padded));
    media->Add(MakeData("SOUND", "Silence", std::string()));
    return file;
}

HintFilePlan PictureInNestedHint() {
    auto file = NewerFile("Puzzle Box");
    HintNode* hint = file.root->Add(MakeNode("NESTHINT", "How does the box open?"));
    hint->Line("Look at the lid.").Separator();
    HintNode* lid = hint->Add(MakeData("HYPERPNG", "The lid", TinyPng()));
    lid->AddRegion(0, 0, 1, 1, MakeQuestion("The latch?", {{"Slide it left."}}));
    hint->Line("Press the corner.");
    return file;
}

HintFilePlan BrokenPicture() {
    auto file = NewerFile("Broken Frame");
    HintNode* picture = file.root->Add(MakeData("HYPERPNG", "Not a picture", NotAPicture()));
    picture->AddRegion(0, 0, 10, 10, MakeQuestion("Why is it broken?", {{"Bad data."}}));
    file.root->Add(MakeData("HYPERPNG", "No regions, no data", std::string()));
    return file;
}

}  // namespace

std::vector<Seed> PictureSeeds() {
    std::vector<Seed> seeds;
    seeds.push_back({"picture_regions.klu", PictureWithRegions()});
    seeds.push_back({"picture_overlays.klu", PictureWithOverlays()});
    seeds.push_back({"picture_gif_sound.klu", GifAndSound()});
    seeds.push_back({"picture_in_nested_hint.klu", PictureInNestedHint()});
    seeds.push_back({"picture_broken.klu", BrokenPicture()});
    return seeds;
}

}  // namespace klu::seeds
