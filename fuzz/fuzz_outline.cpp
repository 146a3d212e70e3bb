// Outlines both ways: arbitrary bytes compiled as an outline, and, where they load as a hint
// file, decompiled into an outline that must compile back into the same tree.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "model/document/hint_document.h"
#include "model/outline/outline.h"
#include "temporary_file.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process for the decompiled files; in memory when /dev/shm is there. Removed
// when the fuzzer exits; a crash keeps it, with the outline that failed.
struct WorkFolder {
    WorkFolder() {
        if (fs::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
        std::string pattern = (fs::temp_directory_path() / "klu-outline-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    fs::path path;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    static const WorkFolder work;
    const fs::path& folder = work.path;
    if (const auto plan = klu::CompileOutline(bytes, folder.string(), nullptr))
        (void)klu::WriteHintFile(*plan);

    static klu::fuzz::TemporaryFile file;
    WriteFile(file.path, bytes);
    klu::HintDocument document;
    if (klu::LoadHintFile(klu::ReadHintFile(file.path), document, false).result !=
        klu::LoadResult::Ok)
        return 0;
    // A file whose data is not there is refused.
    if (!klu::DecompileOutline(document, file.path)) return 0;
    for (const auto& entry : fs::directory_iterator(folder))
        fs::remove_all(entry.path());
    const std::string difference =
        klu::DecompiledDifference(document, file.path, folder.string());
    if (!difference.empty()) {
        std::cerr << "the outline in " << folder.string()
                  << " does not give back the tree: " << difference << "\n";
        std::abort();
    }
    return 0;
}
