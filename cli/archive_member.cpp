#include "archive_member.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "model/hint_document.h"
#include "model/text_util.h"

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

// The unpacked copy of a member, taken away when klu ends.
class UnpackedCopy {
  public:
    ~UnpackedCopy() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    // A new file of its own each run, so that two runs at once never share one.
    std::string Write(const std::vector<char>& bytes) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
        if (error) return {};
        std::string name = folder / "klu-member-XXXXXX.klu";
        const int fd = ::mkstemps(name.data(), 4);
        if (fd < 0) return {};
        path_ = name;
        bool written = true;
        for (size_t done = 0; written && done < bytes.size();) {
            const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
            written = wrote > 0;
            if (written) done += static_cast<size_t>(wrote);
        }
        written = ::close(fd) == 0 && written;
        return written ? path_ : std::string();
    }

  private:
    std::string path_;
};

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
    static UnpackedCopy copy;
    data_path = copy.Write(bytes);
    return true;
}

}  // namespace klu::cli
