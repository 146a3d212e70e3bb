#include "seed_catalog.h"

namespace klu::seeds {
namespace {

// Hints nested depth deep, each level in the second hint of the one above, with a link from
// the top to the deepest: the web page must stay within a small multiple of the file.
HintFilePlan DeepNestedHints(int depth) {
    auto file = NewerFile("Bottomless Well");
    HintNode* level = file.root.get();
    for (int i = 1; i <= depth; ++i) {
        level = level->Add(MakeNode("NESTHINT", "Level " + std::to_string(i)));
        level->Line("Look further down.").Separator();
    }
    level->Line("The bottom.");
    file.root->Add(MakeLink("To the bottom", level));
    return file;
}

}  // namespace

std::vector<Seed> DeepNestedSeeds() {
    std::vector<Seed> seeds;
    seeds.push_back({"deep_nested_45.klu", DeepNestedHints(45)});
    seeds.push_back({"deep_nested_990.klu", DeepNestedHints(990)});
    return seeds;
}

}  // namespace klu::seeds
