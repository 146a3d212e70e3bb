// klu decompile: a hint file written back as an outline and its data files, checked by
// compiling the outline again.

#include <malloc.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <utility>

#include "commands.h"
#include "compiled_back.h"
#include "exit_codes.h"
#include "folder_writer.h"
#include "load_document.h"
#include "model/document/hint_document.h"
#include "model/outline/outline.h"
#include "model/outline/tree_compare.h"

namespace klu::cli {

namespace fs = std::filesystem;

int RunDecompile(const CommandArgs& args) {
    const std::string& path = args.operands.at(0);
    const fs::path folder = args.operands.at(1);
    HintDocument& document = CommandDocument();
    const LoadedFile loaded = LoadDocument(path, document, false);
    const int status = loaded.status;
    if (status != kExitOk) return status;
    // The first tree is held only until its outline is made: the tree compiled back from the
    // outline is compared with its fingerprint.
    const TreeFingerprint first = FingerprintOf(document, loaded.dataPath);
    std::string error;
    std::optional<DecompiledOutline> outline = DecompileOutline(document, loaded.dataPath, &error);
    if (!outline) {
        std::cerr << "klu: " << path << ": " << error << '\n';
        return kExitDataError;
    }
    std::vector<std::pair<std::string, std::string_view>> files;  // name in the folder, bytes
    const std::string outline_name = fs::path(path).stem().string() + ".outline";
    files.emplace_back(outline_name, outline->text);
    for (const auto& [name, bytes] : outline->files)
        files.emplace_back(name, bytes);
    const fs::path outline_path = folder / outline_name;

    std::error_code failure;
    fs::create_directories(folder, failure);
    FolderWriter writer(folder.string());
    const int open_error = errno;
    if (failure || !writer.Opened()) {
        std::cerr << "klu: the folder " << folder.string() << " cannot be made: "
                  << (failure ? failure.message() : std::string(std::strerror(open_error))) << '\n';
        return kExitCannotCreate;
    }
    auto taken = [&folder](const std::string& name) {
        std::cerr << "klu: " << (folder / name).string() << " exists already; it is not replaced\n";
        return kExitCannotCreate;
    };
    // Nothing is written when anything would be replaced, and nothing is left of a write that
    // fails half way or finds a name taken meanwhile.
    for (const auto& [name, bytes] : files) {
        if (fs::exists(fs::symlink_status(folder / name))) return taken(name);
    }
    for (const auto& [name, bytes] : files) {
        const FolderWriter::Result result = writer.Create(name, bytes);
        if (result == FolderWriter::Result::Written) continue;
        writer.RemoveCreated();
        if (result == FolderWriter::Result::Taken) return taken(name);
        std::cerr << "The file " << (folder / name).string() << " could not be written.\n";
        return kExitCannotCreate;
    }
    if (!writer.Sync()) {
        writer.RemoveCreated();
        std::cerr << "The file " << outline_path.string() << " could not be written.\n";
        return kExitCannotCreate;
    }
    // What is written is not held twice while the outline is compiled again.
    files.clear();
    outline->files.clear();
    outline->files.shrink_to_fit();
    document.Clear();
    malloc_trim(0);  // what the tree held goes back now, not kept for the plan
    CompiledBack compiled(writer.CreateUnnamed());
    std::string difference = CompileOutlineTo(
        std::move(outline->text), folder.string(),
        [&compiled](std::string_view piece, int64_t size) { return compiled.Take(piece, size); });
    HintDocument again;
    if (difference.empty() && !compiled.Load(again)) difference = "its compiled file does not load";
    if (difference.empty() && compiled.FingerprintOf(again) != first) {
        // Where they differ is told by the first tree, loaded again.
        const LoadedFile reloaded = LoadDocument(path, document, false);
        if (reloaded.status == kExitOk)
            difference = compiled.DifferenceFrom(document, reloaded.dataPath, again);
        if (difference.empty()) difference = "its tree differs";
    }
    if (!difference.empty()) {
        std::cerr << "klu: " << outline_path.string()
                  << " does not give back the same tree as " << path << ": " << difference
                  << '\n';
        return kExitInternalError;
    }
    return status;
}

}  // namespace klu::cli
