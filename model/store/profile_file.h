#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/store/profile_text.h"

namespace klu {

// A private-profile file on disk. Every read looks at the file as it is now, and every write
// changes it at once, so several objects (or processes) may share one file. A file that is
// missing or cannot be read gives every default. Writing never loses the file: it is replaced
// as a whole (see ReplaceWholeFile) and keeps every section and key the program does not know.
// Every change is made under a lock on a file beside it (the path and ".lock"), which all
// readers sharing the profile take: it reads the file again, changes it and writes it, so that
// nothing another reader wrote meanwhile is lost. A write that fails is reported through the
// result, which callers are free to ignore.
class ProfileFile {
  public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The whole value of the key, of any length, or default_value when there is none or the
    // file cannot be read.
    std::string ReadProfileString(std::string_view section, std::string_view key,
                                  std::string_view default_value) const;

    // The text of the file (empty when there is no file), or nothing when a file is there but
    // cannot be read: then its defaults must not be written back over what it holds.
    std::optional<ProfileText> ReadText() const;

    // Gives false when the file could not be written, or the entry is one that reading could
    // not find again (see ProfileText::Set).
    bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value);

    // Writes several entries with one replacement of the file. Entries that cannot be stored
    // are left out, the others are still written; false when any was left out or the file could
    // not be written.
    bool WriteProfileStrings(const std::vector<ProfileEntry>& entries);

    // Under the lock: lets change alter the text as the file holds it now, and writes the result
    // when it differs. change gives false when it could not make every change it meant to; the
    // result is then false too. Nothing is written when the file cannot be read.
    bool Update(const std::function<bool(ProfileText&)>& change);

    // The lock file of the profile at path.
    static std::string LockPath(const std::string& path) { return path + ".lock"; }

  private:
    std::string path_;
};

}  // namespace klu
