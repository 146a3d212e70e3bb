#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

namespace klu {

inline constexpr char kProfileFileName[] = "KLUWIN.INI";
inline constexpr char kTitleCacheFileName[] = "VIRIDADO.DB";

// Gives the value of an environment variable, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process; HOME falls back to the user's home in the password database.
std::optional<std::string> ProcessEnvironment(const std::string& name);

// Where the program keeps its own files. A profile or title cache beside the program is used
// in place only when it is there already, belongs to the user running the program and its
// folder is writable (a portable copy); nothing new is ever created beside the program, so a
// reader run by one user never hands its settings to another. Otherwise the profile lives in
// $XDG_CONFIG_HOME/kluwin/ (default ~/.config/kluwin/) and the title cache in
// $XDG_CACHE_HOME/kluwin/ (default ~/.cache/kluwin/), created when missing; a profile of the
// same user beside a program it may no longer write starts the new one (CarryProfileOver).
// Only without any home folder do the files stay beside the program. Folders end in "/".
class FileLocations {
  public:
    explicit FileLocations(const std::string& program_folder,
                           const EnvironmentLookup& environment = ProcessEnvironment,
                           uid_t user = CurrentUser());

    bool BesideProgram() const { return besideProgram_; }
    const std::string& ProfileFolder() const { return profileFolder_; }
    const std::string& CacheFolder() const { return cacheFolder_; }
    std::string ProfilePath() const { return profileFolder_ + kProfileFileName; }
    std::string TitleCachePath() const { return cacheFolder_ + kTitleCacheFileName; }
    // Where files that live only while the program runs go: $XDG_RUNTIME_DIR, else the cache
    // folder.
    const std::string& RuntimeFolder() const { return runtimeFolder_; }
    // Where the verbose listing looks until the user picks a folder: the program folder of a
    // portable copy, else the user's home folder.
    const std::string& DefaultListFolder() const { return defaultListFolder_; }

    // The user the program runs as (its effective user id).
    static uid_t CurrentUser();

  private:
    bool besideProgram_ = false;
    std::string profileFolder_;
    std::string cacheFolder_;
    std::string runtimeFolder_;
    std::string defaultListFolder_;
};

// Starts the profile at new_path from the one at old_path: a program whose folder became
// read-only (installed, say) keeps the user's settings and hint memory from beside it. Nothing
// happens when new_path exists already, or old_path cannot be read or belongs to another user
// than user; true when it was copied.
bool CarryProfileOver(const std::string& old_path, const std::string& new_path, uid_t user);

// True for a regular file (or a link to one) that belongs to user.
bool FileBelongsTo(const std::string& path, uid_t user);

// The folder with a "/" at its end; "./" for an empty one.
std::string FolderWithSlash(std::string folder);

// True when files can be created in the folder.
bool FolderIsWritable(const std::string& folder);

}  // namespace klu
