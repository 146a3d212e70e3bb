// Writes the starting inputs of the fuzzers into the folder given on the command line: the hint
// files that every fuzzer starts from, and in a folder of its own, named after it, what a fuzzer
// with other inputs starts from instead (fuzz_png: PNG pictures, fuzz_html_export: deeply
// nested hints besides the hint files).

#include <filesystem>
#include <fstream>
#include <iostream>

#include "model/zip_members.h"
#include "seed_catalog.h"
#include "seed_png.h"

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

bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::cerr << path.string() << ": cannot write\n";
    return static_cast<bool>(out);
}

// Writes the seed, and for files without binary data also their line-feed form. Gives the
// number of files written, or -1 when the seed cannot be written.
int WriteSeed(const std::filesystem::path& folder, const klu::seeds::Seed& seed) {
    std::string error;
    const std::optional<std::string> bytes = klu::WriteHintFile(seed.file, &error);
    if (!bytes) {
        std::cerr << seed.name << ": " << error << '\n';
        return -1;
    }
    if (!WriteBytes(folder / seed.name, *bytes)) return -1;
    const bool text_only = seed.name.starts_with("older_") || seed.name.starts_with("newer_");
    if (!text_only) return 1;
    return WriteBytes(folder / ("lf_" + seed.name), WithLineFeedsOnly(*bytes)) ? 2 : -1;
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
    using Catalog = std::vector<klu::seeds::Seed> (*)();
    const Catalog catalogs[] = {klu::seeds::OlderFormatSeeds, klu::seeds::NewerFormatSeeds,
                                klu::seeds::MetaHunkSeeds, klu::seeds::PictureSeeds,
                                klu::seeds::ChecksumSeeds};
    // fuzz_html_export starts from every hint file and from deeply nested hints besides, kept
    // from the others, whose inputs they would make long.
    const std::filesystem::path pages = folder / "fuzz_html_export";
    std::filesystem::create_directories(pages, error);
    int written = 0;
    int failed = 0;
    auto write = [&](const std::filesystem::path& to, const klu::seeds::Seed& seed) {
        const int count = WriteSeed(to, seed);
        if (count < 0) {
            ++failed;
        } else {
            written += count;
        }
    };
    for (const Catalog catalog : catalogs) {
        for (const auto& seed : catalog()) {
            write(folder, seed);
            write(pages, seed);
        }
    }
    for (const auto& seed : klu::seeds::DeepNestedSeeds())
        write(pages, seed);
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
