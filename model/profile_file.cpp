#include "profile_file.h"

#include "whole_file.h"

namespace klu {

std::string ProfileFile::ReadProfileString(std::string_view section, std::string_view key,
                                           std::string_view default_value) const {
    if (std::optional<ProfileText> text = ReadText()) {
        if (std::optional<std::string> found = text->Find(section, key)) return *std::move(found);
    }
    return std::string(default_value);
}

std::optional<ProfileText> ProfileFile::ReadText() const {
    std::string bytes;
    if (ReadWholeFile(path_, bytes) == ReadOutcome::Failed) return std::nullopt;
    return ProfileText::Parse(bytes);
}

bool ProfileFile::WriteProfileString(std::string_view section, std::string_view key,
                                     std::string_view value) {
    return WriteProfileStrings(
        {ProfileEntry{std::string(section), std::string(key), std::string(value)}});
}

bool ProfileFile::WriteProfileStrings(const std::vector<ProfileEntry>& entries) {
    std::string old_bytes;
    // A file that exists but cannot be read must not be replaced by one that lacks its content.
    if (ReadWholeFile(path_, old_bytes) == ReadOutcome::Failed) return false;

    ProfileText text = ProfileText::Parse(old_bytes);
    bool all_stored = true;
    for (const ProfileEntry& entry : entries)
        all_stored = text.Set(entry.section, entry.key, entry.value) && all_stored;

    const std::string new_bytes = text.Serialize();
    if (new_bytes == old_bytes) return all_stored;  // nothing to change on the disk
    return ReplaceWholeFile(path_, new_bytes) && all_stored;
}

}  // namespace klu
