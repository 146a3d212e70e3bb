// klu decompile: a hint file written back as an outline and its data files, checked by
// compiling the outline again.

#include <malloc.h>
#include <unistd.h>

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
#include "model/files/whole_file.h"
#include "model/outline/outline.h"
#include "model/outline/tree_compare.h"

namespace klu::cli {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    int fd;
    ~FileCloser() { ::close(fd); }
};

// The whole file that fd is open on.
bool ReadBack(int fd, std::string& text) {
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 0) return false;
    text.resize(static_cast<size_t>(size));
    for (size_t got = 0; got < text.size();) {
        const ssize_t read =
            ::pread(fd, text.data() + got, text.size() - got, static_cast<off_t>(got));
        if (read <= 0) return false;
        got += static_cast<size_t>(read);
    }
    return true;
}

}  // namespace

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
    // The outline is made twice: once for the names of its data files, which are all checked
    // before anything is written, and once into its file, so that its text is never held whole
    // beside the tree.
    std::string error;
    const OutlineTextSink ignore = [](std::string_view) {};
    std::optional<DecompiledOutline> outline =
        DecompileOutline(document, loaded.dataPath, &error, &ignore, false);
    if (!outline) {
        std::cerr << "klu: " << path << ": " << error << '\n';
        return kExitDataError;
    }
    const std::string outline_name = fs::path(path).stem().string() + ".outline";
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
    auto not_written = [&writer, &folder](const std::string& name) {
        writer.RemoveCreated();
        std::cerr << "The file " << (folder / name).string() << " could not be written.\n";
        return kExitCannotCreate;
    };
    // Nothing is written when anything would be replaced, and nothing is left of a write that
    // fails half way or finds a name taken meanwhile.
    if (fs::exists(fs::symlink_status(outline_path))) return taken(outline_name);
    for (const auto& [name, bytes] : outline->files) {
        if (fs::exists(fs::symlink_status(folder / name))) return taken(name);
    }
    FolderWriter::Result result;
    const int outline_fd = writer.Open(outline_name, result);
    if (result == FolderWriter::Result::Taken) return taken(outline_name);
    if (outline_fd < 0) return not_written(outline_name);
    const FileCloser closer{outline_fd};
    bool text_written = true;
    const OutlineTextSink to_file = [&](std::string_view piece) {
        text_written = text_written && WriteAll(outline_fd, piece);
    };
    outline = DecompileOutline(document, loaded.dataPath, &error, &to_file);
    if (!outline) {
        writer.RemoveCreated();
        std::cerr << "klu: " << path << ": " << error << '\n';
        return kExitDataError;
    }
    if (!text_written) return not_written(outline_name);
    for (const auto& [name, bytes] : outline->files) {
        result = writer.Create(name, bytes);
        if (result == FolderWriter::Result::Written) continue;
        writer.RemoveCreated();
        if (result == FolderWriter::Result::Taken) return taken(name);
        return not_written(name);
    }
    if (!writer.Sync()) return not_written(outline_name);
    // What is written is not held while the outline is compiled again: the outline is read back.
    outline.reset();
    document.Clear();
    malloc_trim(0);  // what the tree held goes back now, not kept for the plan
    std::string text;
    if (!ReadBack(outline_fd, text)) return not_written(outline_name);
    CompiledBack compiled(writer.CreateUnnamed());
    std::string difference = CompileOutlineTo(
        std::move(text), folder.string(),
        [&compiled](std::string_view piece, int64_t size) { return compiled.Take(piece, size); });
    malloc_trim(0);  // and so does what the plan held, before the compiled file is loaded
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
