#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/store/profile_file.h"

namespace klu {

// The profile section of the recent-file list.
inline constexpr char kRecentSection[] = "MRU";

// A recent-file entry that the menu shows.
struct RecentFile {
    int index = 0;  // 0 the most recent
    std::string path;
};

// The list of the files opened last, kept in the profile as "MRU0" (the most recent) to "MRU3"
// in section "MRU". An entry that is empty or "Default" holds no file. "Count" of the section
// says how many entries the menu shows; the program reads it but never writes it.
class RecentFiles {
  public:
    static constexpr int kCapacity = 4;

    explicit RecentFiles(ProfileFile& profile) : profile_(profile) {}

    // The key of an entry: "MRU" and the index.
    static std::string EntryKey(int index);
    // The text of an entry's menu item: "&", the index + 1, a blank and the path.
    static std::string MenuText(int index, const std::string& path);

    // How many entries the menu shows ("Count", default 4).
    int ShownCount() const;
    // The path of an entry; nothing for an empty one or one outside the list.
    std::optional<std::string> Entry(int index) const;
    // The entries the menu shows, in order, leaving the empty ones out.
    std::vector<RecentFile> Shown() const;

    // Puts path first after a successful open: an entry with the same path (whatever its letter
    // case) leaves its place, the others move down and the fifth falls off. False when the
    // profile could not be written.
    bool Add(const std::string& path);

  private:
    ProfileFile& profile_;
};

}  // namespace klu
