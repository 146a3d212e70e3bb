#include "model/store/hint_memory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/document/hint_document.h"
#include "model/document/hunk.h"
#include "model/files/zip_members.h"

namespace klu {

namespace {

// The unpacked length of a member of a ZIP archive, named as the program names members.
int64_t MeasureMemberLength(const std::string& path) {
    const std::optional<MemberPath> split = SplitMemberPath(path);
    if (!split) return -1;
    const auto members = HintFileMembers(split->archive);
    if (!members) return -1;
    for (const ArchiveMember& member : *members) {
        if (member.name == split->member) return static_cast<int64_t>(member.size);
    }
    return -1;
}

}  // namespace

int64_t MeasureFileLength(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return MeasureMemberLength(path);
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular ? static_cast<int64_t>(info.st_size) : -1;
}

std::string MemoryKey(std::string_view path, int64_t length) {
    std::string key(path);
    key += '.';
    key += std::to_string(length);
    return key;
}

std::string MemoryKeyOf(const std::string& path) {
    return MemoryKey(path, MeasureFileLength(path));
}

std::string HintMemoryString(const Hunk& root) {
    std::string memory;
    root.SaveState(memory);
    return memory;
}

void ApplyHintMemory(Hunk& root, std::string memory) {
    if (!memory.empty()) root.RestoreState(memory);
    if (!root.StateValid()) root.ResetState();
}

std::optional<ProfileEntry> HintMemoryEntry(const HintDocument& document,
                                            const std::string& path) {
    const Hunk* root = document.GetRoot();
    if (!root) return std::nullopt;
    return ProfileEntry{kMemorySection, MemoryKeyOf(path), HintMemoryString(*root)};
}

bool SaveHintMemory(ProfileFile& profile, const HintDocument& document, const std::string& path) {
    std::optional<ProfileEntry> entry = HintMemoryEntry(document, path);
    return !entry || profile.WriteProfileStrings({*std::move(entry)});
}

void RestoreHintMemory(const ProfileFile& profile, HintDocument& document,
                       const std::string& path) {
    Hunk* root = document.GetRoot();
    if (!root) return;
    ApplyHintMemory(*root, profile.ReadProfileString(kMemorySection, MemoryKeyOf(path), ""));
}

}  // namespace klu
