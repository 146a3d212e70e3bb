// Whether an outline gives back the tree of the file it was written from.

#include <fstream>
#include <optional>
#include <utility>

#include "model/document/hint_document.h"
#include "model/files/memory_pages.h"
#include "model/format/hint_stream.h"
#include "model/outline/outline.h"
#include "model/outline/tree_compare.h"

namespace klu {

std::string CompileOutlineTo(std::string outline_text, const std::string& data_folder,
                             const ByteSink& sink) {
    OutlineError outline_error;
    const auto plan = CompileOutline(std::move(outline_text), data_folder, &outline_error);
    if (!plan) {
        return "it does not compile: line " + std::to_string(outline_error.line) + ": " +
               outline_error.message;
    }
    std::string writer_error;
    if (!WriteHintFileTo(*plan, sink, &writer_error))
        return "it does not compile: " + writer_error;
    return "";
}

bool LoadCompiledBytes(std::vector<char>& bytes, HintDocument& again) {
    return LoadHintFileCopying(bytes, again, false).result == LoadResult::Ok;
}

std::string RoundTripDifference(const HintDocument& document, const std::string& hint_file,
                                std::string outline_text, const std::string& data_folder) {
    // Checked in memory: a file of a predictable name would be a place for others to plant a
    // link in.
    std::vector<char> bytes;
    auto keep = [&bytes](std::string_view piece, int64_t file_size) {
        if (bytes.capacity() == 0) {
            // Filled front to back at once: huge pages spare a fault per 4 KiB.
            bytes.reserve(static_cast<size_t>(file_size));
            AdviseHugePages(bytes.data(), bytes.capacity());
        }
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        return true;
    };
    const std::string failed = CompileOutlineTo(std::move(outline_text), data_folder, keep);
    if (!failed.empty()) return failed;
    HintDocument again;
    if (!LoadCompiledBytes(bytes, again)) return "its compiled file does not load";
    return TreeDifferenceFromBytes(document, hint_file, again, {bytes.data(), bytes.size()});
}

std::string DecompiledDifference(const HintDocument& document, const std::string& hint_file,
                                 const std::string& folder) {
    std::string error;
    const auto outline = DecompileOutline(document, hint_file, &error);
    if (!outline) return "it cannot be decompiled: " + error;
    auto write = [&folder](const std::string& name, const std::string& bytes) {
        return static_cast<bool>(std::ofstream(folder + "/" + name, std::ios::binary) << bytes);
    };
    for (const auto& [name, bytes] : outline->files) {
        if (!write(name, bytes)) return "its data file " + name + " cannot be written";
    }
    if (!write("file.outline", outline->text)) return "the outline cannot be written";
    return RoundTripDifference(document, hint_file, outline->text, folder);
}

}  // namespace klu
