#include "zip_members.h"

#include <memory>

#include "file_bytes.h"
#include "text_util.h"
#include "zip_library.h"

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

std::vector<ArchiveMember> MembersOf(zip_t* archive) {
    const ZipFunctions* zip = ZipLibrary();
    std::vector<ArchiveMember> members;
    const zip_int64_t count = zip->zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        zip->zip_stat_init(&info);
        if (zip->zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &info) != 0) continue;
        if (!(info.valid & ZIP_STAT_NAME) || !(info.valid & ZIP_STAT_SIZE)) continue;
        if (IsHintFileName(info.name)) members.push_back({info.name, info.size});
    }
    return members;
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
    zip_stat_t info;
    zip->zip_stat_init(&info);
    if (zip->zip_stat(archive.get(), member.c_str(), 0, &info) != 0 || !(info.valid & ZIP_STAT_SIZE) ||
        info.size > limit)
        return false;
    const std::unique_ptr<zip_file_t, MemberClose> file(
        zip->zip_fopen(archive.get(), member.c_str(), 0));
    if (!file) return false;
    bytes.resize(static_cast<size_t>(info.size));
    // The stated size may lie; the member's real data decides.
    const zip_int64_t got = zip->zip_fread(file.get(), bytes.data(), bytes.size());
    if (got < 0) return false;
    bytes.resize(static_cast<size_t>(got));
    return true;
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
