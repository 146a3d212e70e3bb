#include "file_locations.h"

#include "whole_file.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace klu {
namespace {

// The program's own folder below the base folder an XDG variable names, created when missing.
// Unset, empty and relative values do not count, as the XDG rules say; then the base is the
// given folder below $HOME. Without a home either, the files stay beside the program.
std::string PrivateFolder(const EnvironmentLookup& environment, const std::string& variable,
                          const std::string& below_home, const std::string& beside_program) {
    const auto absolute = [](const std::optional<std::string>& value) {
        return value && !value->empty() && value->front() == '/';
    };
    std::string base;
    if (std::optional<std::string> value = environment(variable); absolute(value)) {
        base = FolderWithSlash(*value);
    } else if (std::optional<std::string> home = environment("HOME"); absolute(home)) {
        base = FolderWithSlash(*home) + below_home;
    } else {
        return beside_program;
    }
    const std::string folder = base + "kluwin/";
    std::error_code error;
    std::filesystem::create_directories(folder, error);  // a failure shows when writing
    return folder;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string FolderWithSlash(std::string folder) {
    if (folder.empty()) return "./";
    if (folder.back() != '/') folder += '/';
    return folder;
}

bool FolderIsWritable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

FileLocations::FileLocations(const std::string& program_folder,
                             const EnvironmentLookup& environment) {
    const std::string beside = FolderWithSlash(program_folder);
    besideProgram_ = FolderIsWritable(beside);
    defaultListFolder_ = beside;
    if (besideProgram_) {
        profileFolder_ = cacheFolder_ = beside;
        return;
    }
    // An installed program's folder holds programs, not hint files.
    if (std::optional<std::string> home = environment("HOME");
        home && !home->empty() && home->front() == '/')
        defaultListFolder_ = FolderWithSlash(*home);
    profileFolder_ = PrivateFolder(environment, "XDG_CONFIG_HOME", ".config/", beside);
    cacheFolder_ = PrivateFolder(environment, "XDG_CACHE_HOME", ".cache/", beside);
    CarryProfileOver(beside + kProfileFileName, ProfilePath());
}

bool CarryProfileOver(const std::string& old_path, const std::string& new_path) {
    std::error_code error;
    if (old_path == new_path || std::filesystem::exists(new_path, error) || error) return false;
    std::string bytes;
    if (ReadWholeFile(old_path, bytes) != ReadOutcome::Read) return false;
    return ReplaceWholeFile(new_path, bytes);
}

}  // namespace klu
