// Whether an outline gives back the tree of the file it was written from.

#include <fstream>
#include <optional>
#include <utility>

#include "hint_document.h"
#include "outline.h"
#include "tree_compare.h"

namespace klu {

std::string RoundTripDifference(const THintDocument& document, const std::string& hint_file,
                                std::string outline_text, const std::string& data_folder) {
    std::optional<std::string> bytes;
    {
        // The outline and its plan are gone before the second tree is built.
        OutlineError outline_error;
        const auto plan = CompileOutline(std::move(outline_text), data_folder, &outline_error);
        if (!plan) {
            return "it does not compile: line " + std::to_string(outline_error.line) + ": " +
                   outline_error.message;
        }
        std::string writer_error;
        bytes = WriteHintFile(*plan, &writer_error);
        if (!bytes) return "it does not compile: " + writer_error;
    }
    // Checked in memory: a file of a predictable name would be a place for others to plant a
    // link in.
    THintDocument again;
    HintFileBytes compiled{HintFileRead::Whole, {bytes->begin(), bytes->end()}, std::nullopt};
    if (LoadHintFile(std::move(compiled), again, false).result != LoadResult::Ok)
        return "its compiled file does not load";
    return TreeDifferenceFromBytes(document, hint_file, again, *bytes);
}

std::string DecompiledDifference(const THintDocument& document, const std::string& hint_file,
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
