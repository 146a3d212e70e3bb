#include "archive_member.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "model/document/hint_document.h"
#include "model/files/private_copy.h"
#include "model/text/text_util.h"

namespace klu::cli {

namespace {

bool StartsAsZipArchive(const std::string& path) {
    char magic[2] = {};
    std::ifstream file(path, std::ios::binary);
    return file.read(magic, 2) && magic[0] == 'P' && magic[1] == 'K';
}

// Letter case aside first, so that "b.klu" follows "A.KLU" as a listing shows them.
bool ComesBefore(const ArchiveMember& a, const ArchiveMember& b) {
    const std::string upper_a = ToUpper(a.name), upper_b = ToUpper(b.name);
    return upper_a != upper_b ? upper_a < upper_b : a.name < b.name;
}

}  // namespace

std::optional<MemberPath> MemberToLoad(const std::string& path) {
    if (std::optional<MemberPath> named = SplitMemberPath(path)) return named;
    if (!StartsAsZipArchive(path)) return std::nullopt;
    const auto members = HintFileMembers(path);
    if (!members || members->empty()) return std::nullopt;
    const ArchiveMember& first = *std::min_element(members->begin(), members->end(), ComesBefore);
    if (members->size() > 1) {
        std::cerr << "klu: " << path << " holds " << members->size() << " hint files; "
                  << first.name << " is read (name another as " << path << "/MEMBER)\n";
    }
    return MemberPath{path, first.name};
}

bool UnpackMember(const MemberPath& member, std::vector<char>& bytes, std::string& data_path) {
    if (!ReadArchiveMember(member.archive, member.member, bytes, kLargestHintFile)) return false;
    // A file of its own for each run, so that two runs at once never share one; removed when
    // klu ends.
    static std::unique_ptr<PrivateCopy> copy;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    copy = error ? nullptr : PrivateCopy::Create(folder.string(), {bytes.data(), bytes.size()});
    data_path = copy ? copy->Path() : std::string();
    return true;
}

}  // namespace klu::cli
