#include "model/files/zip_members.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "model/files/file_bytes.h"
#include "model/text/text_util.h"
#include "model/files/zip_library.h"

namespace klu {

namespace {

// Archives and members exist only once the library is loaded.
struct ArchiveClose {
    void operator()(zip_t* archive) const { ZipLibrary()->zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveClose>;

struct MemberClose {
    void operator()(zip_file_t* file) const { ZipLibrary()->zip_fclose(file); }
};

bool IsHintFileName(std::string_view name) {
    constexpr std::string_view kExtension = ".klu";
    return name.size() > kExtension.size() && EndsWithNoCase(name, kExtension);
}

// The hint files among the first entries of the archive, up to max_members of them.
std::vector<ArchiveMember> MembersOf(zip_t* archive, size_t max_members = SIZE_MAX) {
    const ZipFunctions* zip = ZipLibrary();
    std::vector<ArchiveMember> members;
    std::unordered_map<std::string, size_t> seen;  // name in the archive -> members of it so far
    const zip_int64_t count = zip->zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count && members.size() < max_members; ++i) {
        zip_stat_t info;
        zip->zip_stat_init(&info);
        if (zip->zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &info) != 0) continue;
        if (!(info.valid & ZIP_STAT_NAME) || !(info.valid & ZIP_STAT_SIZE)) continue;
        if (!IsHintFileName(info.name)) continue;
        std::string name = info.name;
        if (const size_t earlier = seen[name]++; earlier > 0)
            name += ';' + std::to_string(earlier + 1);
        members.push_back({std::move(name), info.size, static_cast<uint64_t>(i)});
    }
    return members;
}

// The member named as MembersOf names it, else the entry of that name in the archive.
std::optional<ArchiveMember> Locate(zip_t* archive, const std::string& name) {
    for (ArchiveMember& member : MembersOf(archive)) {
        if (member.name == name) return std::move(member);
    }
    zip_stat_t info;
    ZipLibrary()->zip_stat_init(&info);
    if (ZipLibrary()->zip_stat(archive, name.c_str(), 0, &info) != 0 ||
        !(info.valid & ZIP_STAT_SIZE) || !(info.valid & ZIP_STAT_INDEX))
        return std::nullopt;
    return ArchiveMember{name, info.size, info.index};
}

// Unpacks the first limit bytes of a member, or all of it when it is shorter.
bool ReadUpTo(zip_t* archive, uint64_t index, uint64_t limit, std::vector<char>& bytes) {
    bytes.clear();
    const ZipFunctions* zip = ZipLibrary();
    const std::unique_ptr<zip_file_t, MemberClose> file(zip->zip_fopen_index(archive, index, 0));
    if (!file) return false;
    bytes.resize(static_cast<size_t>(limit));
    size_t got = 0;
    while (got < bytes.size()) {
        const zip_int64_t read = zip->zip_fread(file.get(), bytes.data() + got, bytes.size() - got);
        if (read < 0) return false;
        if (read == 0) break;
        got += static_cast<size_t>(read);
    }
    bytes.resize(got);
    return true;
}

}  // namespace

std::optional<std::vector<ArchiveMember>> HintFileMembers(const std::string& archive_path) {
    const ZipFunctions* zip = ZipLibrary();
    if (!zip) return std::nullopt;
    int error = 0;
    const Archive archive(zip->zip_open(archive_path.c_str(), ZIP_RDONLY, &error));
    if (!archive) return std::nullopt;
    return MembersOf(archive.get());
}

std::optional<std::vector<ArchiveMember>> HintFileMembersIn(const std::vector<char>& bytes) {
    const ZipFunctions* zip = ZipLibrary();
    if (!zip) return std::nullopt;
    zip_error_t error;
    zip->zip_error_init(&error);
    zip_source_t* source = zip->zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip->zip_error_fini(&error);
    if (source == nullptr) return std::nullopt;
    zip->zip_error_init(&error);
    const Archive archive(zip->zip_open_from_source(source, ZIP_RDONLY, &error));
    zip->zip_error_fini(&error);
    if (!archive) {
        zip->zip_source_free(source);
        return std::nullopt;
    }
    return MembersOf(archive.get());
}

bool ReadArchiveMember(const std::string& archive_path, const std::string& member,
                       std::vector<char>& bytes, uint64_t limit) {
    bytes.clear();
    const ZipFunctions* zip = ZipLibrary();
    if (!zip) return false;
    int error = 0;
    const Archive archive(zip->zip_open(archive_path.c_str(), ZIP_RDONLY, &error));
    if (!archive) return false;
    const std::optional<ArchiveMember> found = Locate(archive.get(), member);
    // The stated size may lie; the member's real data decides, up to the stated size.
    return found && found->size <= limit &&
           ReadUpTo(archive.get(), found->index, found->size, bytes);
}

ArchiveReader::ArchiveReader(const std::string& archive_path, size_t max_members) {
    const ZipFunctions* zip = ZipLibrary();
    if (!zip) return;
    int error = 0;
    archive_ = zip->zip_open(archive_path.c_str(), ZIP_RDONLY, &error);
    if (archive_) members_ = MembersOf(archive_, max_members);
}

ArchiveReader::~ArchiveReader() {
    if (archive_) ZipLibrary()->zip_discard(archive_);
}

bool ArchiveReader::ReadStart(const ArchiveMember& member, size_t limit, std::vector<char>& bytes) {
    return archive_ && ReadUpTo(archive_, member.index, limit, bytes);
}

std::optional<MemberPath> SplitMemberPath(const std::string& path) {
    if (IsRegularFile(path)) return std::nullopt;
    for (size_t slash = path.rfind('/'); slash != std::string::npos && slash > 0;
         slash = path.rfind('/', slash - 1)) {
        const std::string archive = path.substr(0, slash);
        if (IsRegularFile(archive)) return MemberPath{archive, path.substr(slash + 1)};
    }
    return std::nullopt;
}

std::string MemberPathOf(const std::string& archive_path, const std::string& member) {
    return archive_path + "/" + member;
}

bool WriteZipArchive(const std::string& path,
                     const std::vector<std::pair<std::string, std::string>>& members) {
    const ZipFunctions* zip = ZipLibrary();
    if (!zip) return false;
    int error = 0;
    zip_t* archive = zip->zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) return false;
    for (const auto& [name, bytes] : members) {
        zip_source_t* source = zip->zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        if (source == nullptr ||
            zip->zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE) < 0) {
            zip->zip_source_free(source);
            zip->zip_discard(archive);
            return false;
        }
    }
    // The buffers are read here, while the members' bytes still live.
    return zip->zip_close(archive) == 0;
}

}  // namespace klu
