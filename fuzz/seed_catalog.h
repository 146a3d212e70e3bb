#pragma once

#include <string>
#include <vector>

#include "model/outline/hint_writer.h"

namespace klu::seeds {

// One starting input for the fuzzers: a file name and the hint file to write under it.
struct Seed {
    std::string name;
    HintFilePlan file;
};

// A newer-format file whose root subject carries the title; its older-format part is empty.
HintFilePlan NewerFile(const std::string& title);

std::vector<Seed> OlderFormatSeeds();
std::vector<Seed> NewerFormatSeeds();
std::vector<Seed> MetaHunkSeeds();
std::vector<Seed> PictureSeeds();
std::vector<Seed> ChecksumSeeds();
// Only for fuzz_html_export, which starts from these and every seed above.
std::vector<Seed> DeepNestedSeeds();

// Every hint file the catalog makes, as bytes: each seed, and each seed without binary data once
// more with line feeds alone (as files copied through other systems have). A seed that cannot be
// written is left out, and named with the reason in failures.
struct SeedFile {
    std::string name;
    std::string bytes;
};
std::vector<SeedFile> CatalogFiles(std::vector<std::string>* failures = nullptr);

}  // namespace klu::seeds
