#include "model/files/file_locations.h"

#include "model/files/whole_file.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace klu {
namespace {

// Unset, empty and relative values do not count, as the XDG rules say.
std::optional<std::string> AbsoluteFolder(const std::optional<std::string>& value) {
    if (!value || value->empty() || value->front() != '/') return std::nullopt;
    return FolderWithSlash(*value);
}

// The program's own folder below the base folder an XDG variable names, created when missing;
// without the variable the base is the given folder below $HOME. Nothing without a home either.
std::optional<std::string> PrivateFolder(const EnvironmentLookup& environment,
                                         const std::string& variable,
                                         const std::string& below_home) {
    std::optional<std::string> base = AbsoluteFolder(environment(variable));
    if (!base) {
        base = AbsoluteFolder(environment("HOME"));
        if (!base) return std::nullopt;
        *base += below_home;
    }
    const std::string folder = *base + "kluwin/";
    std::error_code error;
    std::filesystem::create_directories(folder, error);  // a failure shows when writing
    return folder;
}

// A file beside the program is the user's own portable copy, to be used in place.
bool PortableCopy(const std::string& beside, const std::string& name, uid_t user) {
    return FileBelongsTo(beside + name, user) && FolderIsWritable(beside);
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const std::string& name) {
    if (const char* value = std::getenv(name.c_str())) return std::string(value);
    if (name == "HOME") {
        if (const passwd* user = ::getpwuid(::geteuid()); user && user->pw_dir)
            return std::string(user->pw_dir);
    }
    return std::nullopt;
}

std::string FolderWithSlash(std::string folder) {
    if (folder.empty()) return "./";
    if (folder.back() != '/') folder += '/';
    return folder;
}

bool FolderIsWritable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool FileBelongsTo(const std::string& path, uid_t user) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == user;
}

uid_t FileLocations::CurrentUser() {
    return ::geteuid();
}

FileLocations::FileLocations(const std::string& program_folder,
                             const EnvironmentLookup& environment, uid_t user) {
    const std::string beside = FolderWithSlash(program_folder);
    profileFolder_ = PortableCopy(beside, kProfileFileName, user)
                         ? beside
                         : PrivateFolder(environment, "XDG_CONFIG_HOME", ".config/").value_or(beside);
    cacheFolder_ = PortableCopy(beside, kTitleCacheFileName, user)
                       ? beside
                       : PrivateFolder(environment, "XDG_CACHE_HOME", ".cache/").value_or(beside);
    runtimeFolder_ = AbsoluteFolder(environment("XDG_RUNTIME_DIR")).value_or(cacheFolder_);
    besideProgram_ = profileFolder_ == beside;
    // An installed program's folder holds programs, not hint files.
    defaultListFolder_ =
        besideProgram_ ? beside : AbsoluteFolder(environment("HOME")).value_or(beside);
    if (!besideProgram_) CarryProfileOver(beside + kProfileFileName, ProfilePath(), user);
}

bool CarryProfileOver(const std::string& old_path, const std::string& new_path, uid_t user) {
    std::error_code error;
    if (old_path == new_path || std::filesystem::exists(new_path, error) || error) return false;
    // Another user's profile (root's, beside an installed program) holds their recent files
    // and hint memory.
    if (!FileBelongsTo(old_path, user)) return false;
    std::string bytes;
    if (ReadWholeFile(old_path, bytes) != ReadOutcome::Read) return false;
    return ReplaceWholeFile(new_path, bytes);
}

}  // namespace klu
