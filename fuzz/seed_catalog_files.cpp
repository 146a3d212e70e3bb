#include "seed_catalog.h"

namespace klu::seeds {
namespace {

// Files copied through other systems end their lines with a line feed alone.
std::string WithLineFeedsOnly(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out.push_back(bytes[i]);
    }
    return out;
}

}  // namespace

std::vector<SeedFile> CatalogFiles(std::vector<std::string>* failures) {
    std::vector<SeedFile> files;
    for (const auto catalog : {OlderFormatSeeds, NewerFormatSeeds, MetaHunkSeeds, PictureSeeds,
                               ChecksumSeeds}) {
        for (const Seed& seed : catalog()) {
            std::string error;
            const std::optional<std::string> bytes = WriteHintFile(seed.file, &error);
            if (!bytes) {
                if (failures) failures->push_back(seed.name + ": " + error);
                continue;
            }
            files.push_back({seed.name, *bytes});
            if (seed.name.starts_with("older_") || seed.name.starts_with("newer_"))
                files.push_back({"lf_" + seed.name, WithLineFeedsOnly(*bytes)});
        }
    }
    return files;
}

}  // namespace klu::seeds
