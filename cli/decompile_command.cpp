// klu decompile: a hint file written back as an outline and its data files, checked by
// compiling the outline again.

#include <filesystem>
#include <iostream>
#include <system_error>
#include <unistd.h>

#include "commands.h"
#include "exit_codes.h"
#include "load_document.h"
#include "model/file_bytes.h"
#include "model/hint_document.h"
#include "model/outline.h"
#include "model/tree_compare.h"
#include "output_file.h"

namespace klu::cli {
namespace {

namespace fs = std::filesystem;

// Compiles the written outline into a temporary file and compares the trees. Gives "" when the
// tree comes back whole.
std::string CheckRoundTrip(const THintDocument& document, const std::string& path,
                           const fs::path& outline_path) {
    std::vector<char> text;
    if (!ReadFileBytes(outline_path.string(), text)) return "it cannot be read back";
    OutlineError outline_error;
    const auto plan = CompileOutline(std::string(text.begin(), text.end()),
                                     outline_path.parent_path().string(), &outline_error);
    if (!plan) {
        return "it does not compile: line " + std::to_string(outline_error.line) + ": " +
               outline_error.message;
    }
    std::string writer_error;
    const auto bytes = WriteHintFile(*plan, &writer_error);
    if (!bytes) return "it does not compile: " + writer_error;
    const fs::path compiled =
        fs::temp_directory_path() / ("klu-decompile-" + std::to_string(getpid()) + ".klu");
    std::string difference;
    THintDocument again;
    LoadResult result = LoadOk;
    if (WriteOutputFile(compiled.string(), *bytes) == 0 &&
        LoadHintFileAt(compiled.string(), again, false, result) && result == LoadOk) {
        difference = TreeDifference(document, path, again, compiled.string());
    } else {
        difference = "its compiled file does not load";
    }
    std::error_code ignored;
    fs::remove(compiled, ignored);
    return difference;
}

}  // namespace

int RunDecompile(const CommandArgs& args) {
    const std::string& path = args.operands.at(0);
    const fs::path folder = args.operands.at(1);
    THintDocument document;
    const int status = LoadDocument(path, document, false);
    if (status != LoadOk) return status;
    std::string error;
    const std::optional<DecompiledOutline> outline = DecompileOutline(document, path, &error);
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
    if (const std::string difference = CheckRoundTrip(document, path, outline_path);
        !difference.empty()) {
        std::cerr << "klu: " << outline_path.string()
                  << " does not give back the same tree as " << path << ": " << difference
                  << '\n';
        return kExitInternalError;
    }
    return status;
}

}  // namespace klu::cli
