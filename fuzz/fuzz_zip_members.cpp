// Reads arbitrary bytes as a ZIP archive of hint files: listing its members and unpacking each,
// whole or only its first block as a listing does, must end, stay within the limit given, give
// every member a name of its own, and never crash, whatever the archive claims.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "model/files/zip_members.h"
#include "temporary_file.h"

namespace {

constexpr uint64_t kLimit = 1 << 20;
constexpr size_t kBlock = 4096;

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<char> bytes(data, data + size);
    const auto members = klu::HintFileMembersIn(bytes);
    if (!members) return 0;
    static const klu::fuzz::TemporaryFile file;
    std::ofstream(file.path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // libzip reads an empty buffer as an empty archive, and an empty file as none.
    if (const auto on_disk = klu::HintFileMembers(file.path))
        Check(on_disk->size() == members->size());
    std::set<std::string> names;
    for (const klu::ArchiveMember& member : *members)
        Check(names.insert(member.name).second);
    klu::ArchiveReader archive(file.path, 8);
    Check(archive.Members().size() == std::min<size_t>(members->size(), 8));
    for (const klu::ArchiveMember& member : archive.Members()) {
        std::vector<char> start;
        if (archive.ReadStart(member, kBlock, start)) Check(start.size() <= kBlock);
    }
    for (size_t i = 0; i < members->size() && i < 8; ++i) {
        std::vector<char> member;
        if (klu::ReadArchiveMember(file.path, (*members)[i].name, member, kLimit))
            Check(member.size() <= kLimit);
        const auto split = klu::SplitMemberPath(klu::MemberPathOf(file.path, (*members)[i].name));
        Check(split && split->archive == file.path && split->member == (*members)[i].name);
    }
    return 0;
}
