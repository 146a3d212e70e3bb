// klu list: the verbose listing of a folder's hint files, one "title TAB path" line per entry.

#include <filesystem>
#include <iostream>
#include <system_error>

#include "commands.h"
#include "exit_codes.h"
#include "model/store/file_info.h"
#include "model/files/file_locations.h"
#include "model/store/folder_listing.h"

namespace klu::cli {
namespace {

// The folder of the running program, where the reader keeps its title cache when it may.
std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

std::string TitleCachePath(const CommandArgs& args) {
    if (const auto given = args.optionValues.find("--cache"); given != args.optionValues.end()) {
        return given->second;
    }
    return FileLocations(ProgramFolder()).TitleCachePath();
}

// A field of an entry line: a tab, a line end or a backslash in it is written as \t, \n, \r
// or \\, so that every entry stays one line of title, tab and path.
std::string Escaped(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (char c : field) {
        switch (c) {
            case '\t':
                text += "\\t";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\r':
                text += "\\r";
                break;
            case '\\':
                text += "\\\\";
                break;
            default:
                text += c;
        }
    }
    return text;
}

}  // namespace

int RunList(const CommandArgs& args) {
    const std::string& folder = args.operands.at(0);
    const std::unique_ptr<MetaTextHunk> listing = BuildFolderListing(folder, TitleCachePath(args));
    if (!listing) {
        std::cerr << "The folder " << folder << " could not be read.\n";
        return kExitCannotOpen;
    }
    for (const KLUObject* child : listing->children) {
        const auto* entry = NodeCast<FileInfo>(child);
        if (entry == nullptr) continue;
        std::cout << Escaped(entry->GetName()) << '\t' << Escaped(entry->path) << '\n';
    }
    return 0;
}

}  // namespace klu::cli
