#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct zip;

namespace klu {

// A hint file packed in a ZIP archive. It is named by the archive's path, "/", and its name in
// the archive ("games/castle.zip/CASTLE.KLU"): the recent files, the hint memory and the windows
// know it by that name.
// Several members may share a name: the first keeps it, the Nth is named with ";N" after it
// ("CASTLE.KLU;2"), which no hint file's own name can be, as it would not end in ".klu".
struct ArchiveMember {
    std::string name;    // its name in the archive, with ";N" for a later one of a shared name
    uint64_t size = 0;   // its unpacked length in bytes
    uint64_t index = 0;  // its place in the archive's directory
};

// The members of the archive whose names end in ".klu" (any letter case), in archive order;
// nothing when the file is no ZIP archive that can be read.
std::optional<std::vector<ArchiveMember>> HintFileMembers(const std::string& archive_path);
// The same for an archive held in memory.
std::optional<std::vector<ArchiveMember>> HintFileMembersIn(const std::vector<char>& archive);

// Unpacks one member, named as HintFileMembers names it (or by its name in the archive, for a
// member of another kind); false when it is not there, cannot be read, or is larger than limit.
bool ReadArchiveMember(const std::string& archive_path, const std::string& member,
                       std::vector<char>& bytes, uint64_t limit);

// An archive opened once to read the beginnings of many of its hint files, as a listing does.
class ArchiveReader {
  public:
    // Looks at the first max_members hint files of the archive only.
    ArchiveReader(const std::string& archive_path, size_t max_members);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    bool IsOpen() const { return archive_ != nullptr; }
    const std::vector<ArchiveMember>& Members() const { return members_; }
    // Unpacks no more than the first limit bytes of a member; false when it cannot be read.
    bool ReadStart(const ArchiveMember& member, size_t limit, std::vector<char>& bytes);

  private:
    zip* archive_ = nullptr;
    std::vector<ArchiveMember> members_;
};

// The archive and the member a member's name stands for: the longest leading part of path that
// is a regular file, and the rest. Nothing when path is a file itself or holds no archive.
struct MemberPath {
    std::string archive;
    std::string member;
};
std::optional<MemberPath> SplitMemberPath(const std::string& path);

// The member's name as the program shows and keeps it.
std::string MemberPathOf(const std::string& archive_path, const std::string& member);

// Writes a ZIP archive of the members given (name, bytes), compressed; for tests and seeds.
bool WriteZipArchive(const std::string& path,
                     const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace klu
