// klu decompile: a hint file written back as an outline and its data files, checked by
// compiling the outline again.

#include <filesystem>
#include <iostream>
#include <system_error>

#include "commands.h"
#include "exit_codes.h"
#include "load_document.h"
#include "model/hint_document.h"
#include "model/outline.h"
#include "output_file.h"

namespace klu::cli {

namespace fs = std::filesystem;

int RunDecompile(const CommandArgs& args) {
    const std::string& path = args.operands.at(0);
    const fs::path folder = args.operands.at(1);
    THintDocument& document = CommandDocument();
    const LoadedFile loaded = LoadDocument(path, document, false);
    const int status = loaded.status;
    if (status != LoadOk) return status;
    std::string error;
    const std::optional<DecompiledOutline> outline = DecompileOutline(document, loaded.dataPath, &error);
    if (!outline) {
        std::cerr << "klu: " << path << ": " << error << '\n';
        return kExitDataError;
    }
    std::vector<std::pair<fs::path, std::string_view>> files;
    const fs::path outline_path = folder / (fs::path(path).stem().string() + ".outline");
    files.emplace_back(outline_path, outline->text);
    for (const auto& [name, bytes] : outline->files)
        files.emplace_back(folder / name, bytes);

    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure) {
        std::cerr << "klu: the folder " << folder.string() << " cannot be made: "
                  << failure.message() << '\n';
        return kExitCannotCreate;
    }
    // Nothing is written when anything would be replaced.
    for (const auto& [target, bytes] : files) {
        if (fs::exists(fs::symlink_status(target))) {
            std::cerr << "klu: " << target.string() << " exists already; it is not replaced\n";
            return kExitCannotCreate;
        }
    }
    for (const auto& [target, bytes] : files) {
        if (const int written = WriteOutputFile(target.string(), bytes); written != 0)
            return written;
    }
    if (const std::string difference = RoundTripDifference(document, loaded.dataPath, outline_path.string());
        !difference.empty()) {
        std::cerr << "klu: " << outline_path.string()
                  << " does not give back the same tree as " << path << ": " << difference
                  << '\n';
        return kExitInternalError;
    }
    return status;
}

}  // namespace klu::cli
