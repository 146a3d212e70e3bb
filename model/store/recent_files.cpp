#include "model/store/recent_files.h"

#include <algorithm>

#include "model/text/leading_number.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr char kNoEntry[] = "Default";

bool HoldsFile(const std::string& value) {
    return !value.empty() && value != kNoEntry;
}

}  // namespace

std::string RecentFiles::EntryKey(int index) {
    return kRecentSection + std::to_string(index);
}

std::string RecentFiles::MenuText(int index, const std::string& path) {
    return "&" + std::to_string(index + 1) + " " + path;
}

int RecentFiles::ShownCount() const {
    return LeadingNumber32(profile_.ReadProfileString(kRecentSection, "Count", "4"));
}

std::optional<std::string> RecentFiles::Entry(int index) const {
    if (index < 0 || index >= kCapacity) return std::nullopt;
    std::string value = profile_.ReadProfileString(kRecentSection, EntryKey(index), kNoEntry);
    if (!HoldsFile(value)) return std::nullopt;
    return value;
}

std::vector<RecentFile> RecentFiles::Shown() const {
    std::vector<RecentFile> shown;
    const int count = std::min(ShownCount(), kCapacity);
    for (int index = 0; index < count; ++index) {
        if (std::optional<std::string> path = Entry(index)) shown.push_back({index, *path});
    }
    return shown;
}

bool RecentFiles::Add(const std::string& path) {
    // A path the profile cannot hold must not shift the others without taking the first place.
    if (!HoldsFile(path) || !ProfileText::CanStore(kRecentSection, EntryKey(0), path)) return false;
    // The list as the profile holds it now, with what other readers opened meanwhile, takes the
    // path first. A profile that cannot be read would give every entry as empty: nothing moves.
    return profile_.Update([&](ProfileText& text) {
        std::vector<std::string> entries;
        for (int index = 0; index < kCapacity; ++index) {
            std::string value = text.Find(kRecentSection, EntryKey(index)).value_or(kNoEntry);
            if (!EqualsNoCase(value, path)) entries.push_back(std::move(value));
        }
        entries.insert(entries.begin(), path);
        bool all_stored = true;
        for (int index = 0; index < kCapacity; ++index)
            all_stored =
                text.Set(kRecentSection, EntryKey(index), entries[static_cast<size_t>(index)]) &&
                all_stored;
        return all_stored;
    });
}

}  // namespace klu
