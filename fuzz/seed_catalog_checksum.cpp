#include "seed_catalog.h"
#include "seed_media.h"

namespace klu::seeds {
namespace {

// The same small file with its checksum at the given place; data and an information hunk are
// present so that every place exists.
HintFilePlan ChecksumFile(ChecksumAt at, std::string trailer = {}) {
    auto file = NewerFile("Checksum Cove");
    HintNode* cove = file.root->Add(MakeSubject("The Cove"));
    cove->Add(MakeQuestion("Is the file whole?", {{"The checksum says so."}}));
    cove->Add(MakeData("SOUND", "Waves", TinyWave(32)));
    cove->Add(MakeText("Tide table", {"High at noon.", "Low at six."}));
    file.topLevel.push_back(MakeNode("INFO", "About"));
    file.topLevel.back()->Line("author=Cove Keeper");
    file.checksumAt = at;
    file.trailer = std::move(trailer);
    return file;
}

}  // namespace

std::vector<Seed> ChecksumSeeds() {
    std::vector<Seed> seeds;
    seeds.push_back({"checksum_file_end.klu", ChecksumFile(ChecksumAt::FileEnd)});
    seeds.push_back({"checksum_after_end_of_text.klu", ChecksumFile(ChecksumAt::AfterEndOfText)});
    seeds.push_back({"checksum_data_end.klu", ChecksumFile(ChecksumAt::DataEnd)});
    seeds.push_back({"checksum_info_length.klu", ChecksumFile(ChecksumAt::InfoLength)});
    seeds.push_back({"checksum_nowhere.klu", ChecksumFile(ChecksumAt::Nowhere)});
    seeds.push_back(
        {"checksum_data_end_trailer.klu", ChecksumFile(ChecksumAt::DataEnd, "trailing junk\r\n")});
    return seeds;
}

}  // namespace klu::seeds
