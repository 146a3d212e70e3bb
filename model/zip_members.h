#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace klu {

// A hint file packed in a ZIP archive. It is named by the archive's path, "/", and its name in
// the archive ("games/castle.zip/CASTLE.KLU"): the recent files, the hint memory and the windows
// know it by that name.
struct ArchiveMember {
    std::string name;   // its name in the archive
    uint64_t size = 0;  // its unpacked length in bytes
};

// The members of the archive whose names end in ".klu" (any letter case), in archive order;
// nothing when the file is no ZIP archive that can be read.
std::optional<std::vector<ArchiveMember>> HintFileMembers(const std::string& archive_path);
// The same for an archive held in memory.
std::optional<std::vector<ArchiveMember>> HintFileMembersIn(const std::vector<char>& archive);

// Unpacks one member; false when it is not there, cannot be read, or is larger than limit.
bool ReadArchiveMember(const std::string& archive_path, const std::string& member,
                       std::vector<char>& bytes, uint64_t limit);

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
