// Writes the starting inputs of the fuzzers into the folder given on the command line: the hint
// files that every fuzzer starts from, and in a folder of its own, named after it, what a fuzzer
// with other inputs starts from instead (fuzz_png: PNG pictures, fuzz_html_export: deeply
// nested hints besides the hint files).

#include <filesystem>
#include <fstream>
#include <iostream>

#include "model/files/zip_members.h"
#include "seed_catalog.h"
#include "seed_png.h"

namespace {

bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::cerr << path.string() << ": cannot write\n";
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << folder << ": " << error.message() << '\n';
        return 1;
    }
    std::vector<std::string> failures;
    const std::vector<klu::seeds::SeedFile> files = klu::seeds::CatalogFiles(&failures);
    for (const std::string& failure : failures)
        std::cerr << failure << '\n';
    auto failed = static_cast<int>(failures.size());
    int written = 0;
    // fuzz_html_export starts from every hint file and from deeply nested hints besides, kept
    // from the others, whose inputs they would make long.
    const std::filesystem::path pages = folder / "fuzz_html_export";
    std::filesystem::create_directories(pages, error);
    for (const klu::seeds::SeedFile& file : files) {
        WriteBytes(folder / file.name, file.bytes) ? ++written : ++failed;
        WriteBytes(pages / file.name, file.bytes) ? ++written : ++failed;
    }
    for (const klu::seeds::Seed& seed : klu::seeds::DeepNestedSeeds()) {
        const std::optional<std::string> bytes = klu::WriteHintFile(seed.file);
        const bool ok = bytes && WriteBytes(pages / seed.name, *bytes);
        ok ? ++written : ++failed;
    }
    const std::filesystem::path pictures = folder / "fuzz_png";
    std::filesystem::create_directories(pictures, error);
    for (const klu::seeds::RawSeed& seed : klu::seeds::PngSeeds()) {
        if (!error && !seed.bytes.empty() && WriteBytes(pictures / seed.name, seed.bytes)) {
            ++written;
        } else {
            std::cerr << seed.name << ": cannot be written\n";
            ++failed;
        }
    }
    // Archives of hint files, for fuzz_zip_members.
    const std::filesystem::path archives = folder / "fuzz_zip_members";
    std::filesystem::create_directories(archives, error);
    const std::vector<klu::seeds::Seed> hint_files = klu::seeds::NewerFormatSeeds();
    for (size_t count = 0; count <= 3 && count <= hint_files.size(); ++count) {
        std::vector<std::pair<std::string, std::string>> members = {{"readme.txt", "Unpack me."}};
        for (size_t i = 0; i < count; ++i) {
            if (const auto bytes = klu::WriteHintFile(hint_files[i].file, nullptr))
                members.emplace_back("dir/" + hint_files[i].name + ".KLU", *bytes);
        }
        const std::filesystem::path archive =
            archives / ("members-" + std::to_string(count) + ".zip");
        if (!error && klu::WriteZipArchive(archive.string(), members)) {
            ++written;
        } else {
            std::cerr << archive << ": cannot be written\n";
            ++failed;
        }
    }
    std::cout << written << " seed files written to " << folder.string() << '\n';
    return failed == 0 ? 0 : 1;
}
