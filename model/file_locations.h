#pragma once

#include <functional>
#include <optional>
#include <string>

namespace klu {

inline constexpr char kProfileFileName[] = "KLUWIN.INI";
inline constexpr char kTitleCacheFileName[] = "VIRIDADO.DB";

// Gives the value of an environment variable, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
std::optional<std::string> ProcessEnvironment(const std::string& name);

// Where the program keeps its own files: the profile and the title cache live beside the
// program when its folder is writable. Otherwise (an installed program) the profile goes to
// $XDG_CONFIG_HOME/kluwin/ (default ~/.config/kluwin/) and the title cache to
// $XDG_CACHE_HOME/kluwin/ (default ~/.cache/kluwin/); those folders are created when missing,
// and a profile beside the program starts the new one (CarryProfileOver). Folders end in "/".
class FileLocations {
  public:
    explicit FileLocations(const std::string& program_folder,
                           const EnvironmentLookup& environment = ProcessEnvironment);

    bool BesideProgram() const { return besideProgram_; }
    const std::string& ProfileFolder() const { return profileFolder_; }
    const std::string& CacheFolder() const { return cacheFolder_; }
    std::string ProfilePath() const { return profileFolder_ + kProfileFileName; }
    std::string TitleCachePath() const { return cacheFolder_ + kTitleCacheFileName; }
    // Where the verbose listing looks until the user picks a folder: the program folder when
    // hint files may be kept beside it, else the user's home folder.
    const std::string& DefaultListFolder() const { return defaultListFolder_; }

  private:
    bool besideProgram_ = false;
    std::string profileFolder_;
    std::string cacheFolder_;
    std::string defaultListFolder_;
};

// Starts the profile at new_path from the one at old_path: a program whose folder became
// read-only (installed, say) keeps the user's settings and hint memory from beside it. Nothing
// happens when new_path exists already or old_path cannot be read; true when it was copied.
bool CarryProfileOver(const std::string& old_path, const std::string& new_path);

// The folder with a "/" at its end; "./" for an empty one.
std::string FolderWithSlash(std::string folder);

// True when files can be created in the folder.
bool FolderIsWritable(const std::string& folder);

}  // namespace klu
