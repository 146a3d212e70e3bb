#include "seed_catalog.h"

namespace klu::seeds {
namespace {

std::unique_ptr<HintNode> MakeInfo(std::vector<std::string> fields) {
    auto info = MakeNode("INFO", "File information");
    for (auto& field : fields)
        info->Line(std::move(field));
    return info;
}

HintFilePlan AllMetaHunks() {
    auto file = NewerFile("Sunken Observatory");
    file.root->Add(MakeSubject("Dome"))->Add(MakeQuestion("How do I open it?", {{"The crank."}}));
    file.topLevel.push_back(MakeNode("COMMENT", "Made by hand"));
    file.topLevel.back()->Line("A comment nobody reads.").Line("Second line.");
    file.topLevel.push_back(MakeNode("CREDIT", "Thanks"));
    file.topLevel.back()->Line("To the testers.");
    file.topLevel.push_back(MakeNode("VERSION", "2.1"));
    file.topLevel.back()->Line("compiler 7").Line("built twice");
    file.topLevel.push_back(MakeInfo({"author=A. Nonymous", "publisher=Small Press",
                                      "date=1997-03-04", "time=12:00", "copyright=(c) the author",
                                      "copyright=all rights kept", "author-note=Likes lighthouses.",
                                      "game-note=Set under the sea.", "something=else"}));
    return file;
}

HintFilePlan InfoOddValues() {
    auto file = NewerFile("Odd Info");
    file.root->Add(MakeQuestion("Anything?", {{"No."}}));
    // A list key whose value starts with another key, a date without a time, a length that is
    // not a number.
    file.topLevel.push_back(MakeInfo({"copyright=author=Twice", "date=yesterday",
                                      "game-note=", "AUTHOR=Upper Case", "length=abc"}));
    return file;
}

HintFilePlan VersionWithoutInfo() {
    auto file = NewerFile("Just a Version");
    file.root->Add(MakeQuestion("Which version?", {{"Look below."}}));
    file.topLevel.push_back(MakeNode("version", "0.9 beta"));
    file.topLevel.push_back(MakeNode("CREDIT", "Empty credit"));
    return file;
}

}  // namespace

std::vector<Seed> MetaHunkSeeds() {
    std::vector<Seed> seeds;
    seeds.push_back({"meta_all_hunks.klu", AllMetaHunks()});
    seeds.push_back({"meta_info_odd_values.klu", InfoOddValues()});
    seeds.push_back({"meta_version_without_info.klu", VersionWithoutInfo()});
    return seeds;
}

}  // namespace klu::seeds
