#include "folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "file_bytes.h"
#include "file_info.h"
#include "file_locations.h"
#include "sort_key.h"
#include "text_file_lines.h"
#include "text_util.h"
#include "title_cache.h"
#include "zip_members.h"

namespace klu {
namespace {

bool HasExtension(std::string_view name, std::string_view extension) {
    return !name.starts_with('.') && name.size() > extension.size() &&
           EndsWithNoCase(name, extension);
}

// What tells a file from another of its name: its folder, size, time of last change, and what
// no copy can fake (its inode and the inode's change time, which cp -p, touch -r and unzip cannot
// set back), folded into a positive number for the record's reserved field. Records written
// before, with another number there, never match and so are scanned once more.
// A member of an archive is told apart by its path (the archive's, "/", its name in the archive)
// and the archive's file.
int32_t FileSignature(const std::string& folder, const struct stat& info,
                      std::string_view member_path = {}) {
    uint32_t hash = 2166136261u;  // FNV-1a
    const auto mix = [&hash](const void* data, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            hash ^= static_cast<const unsigned char*>(data)[i];
            hash *= 16777619u;
        }
    };
    mix(folder.data(), folder.size());
    mix(member_path.data(), member_path.size());
    const int64_t numbers[] = {
        static_cast<int64_t>(info.st_size),       static_cast<int64_t>(info.st_mtim.tv_sec),
        static_cast<int64_t>(info.st_mtim.tv_nsec), static_cast<int64_t>(info.st_dev),
        static_cast<int64_t>(info.st_ino),        static_cast<int64_t>(info.st_ctim.tv_sec),
        static_cast<int64_t>(info.st_ctim.tv_nsec)};
    mix(numbers, sizeof numbers);
    const auto signature = static_cast<int32_t>(hash & 0x7FFFFFFFu);
    return signature == 0 ? 1 : signature;
}

// The names of the regular files of a folder (or links to them) with the extension.
bool ListFileNames(const std::string& folder, std::string_view extension,
                   std::vector<std::string>& names) {
    names.clear();
    // Read with the C interface: the type of most entries comes with the name, without a stat
    // or a path object per file, which counts when a cached listing should cost next to nothing.
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return false;
    const std::string base = FolderWithSlash(folder);
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) break;
        if (!HasExtension(entry->d_name, extension)) continue;
        const bool regular =
            entry->d_type == DT_REG || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
                                        IsRegularFile(base + entry->d_name));
        if (regular) names.emplace_back(entry->d_name);
    }
    if (errno != 0) return false;  // the end of the folder leaves errno alone
    std::sort(names.begin(), names.end());
    return true;
}

// The header scan of a hint file packed in an archive, from the first block of its bytes. A
// block that fills the limit may stop inside a line: it ends at its last line end instead, so
// that no title is shown cut short.
std::unique_ptr<TFileInfo> ScanBlock(const std::string& path, std::vector<char>& block,
                                     size_t limit, int32_t signature) {
    if (block.size() == limit) {
        const auto line_end = std::find(block.rbegin(), block.rend(), '\n');
        if (line_end != block.rend()) block.erase(line_end.base(), block.end());
    }
    std::FILE* file = block.empty() ? nullptr : ::fmemopen(block.data(), block.size(), "rb");
    TextFileLines lines(file);
    return std::make_unique<TFileInfo>(lines, path, signature);
}

// The entries of a listing as they are found, each from the title cache or scanned and cached.
class ListingEntries {
  public:
    explicit ListingEntries(const std::string& cache_path) : cache_(cache_path) {
        counts.cacheOpen = cache_.IsOpen();
    }

    // Adds the cached record of the file, if there is one; false when there is none. A record
    // counts only for the same file as it was: a file replaced under its name, or one of the
    // name in another folder, is scanned afresh.
    bool AddCached(const std::string& path, int32_t signature) {
        const TFileInfo* cached =
            signature != 0 ? cache_.Find(FileNameOf(path), signature) : nullptr;
        if (!cached) return false;
        entries.push_back(std::make_unique<TFileInfo>(*cached));
        entries.back()->path = path;
        ++counts.fromCache;
        return true;
    }

    // Adds the entry of a file just scanned (its reserved number the file's signature); one that
    // could not be read now, or looked at for a signature, is scanned again next time.
    void AddScanned(std::unique_ptr<TFileInfo> entry, bool readable) {
        entries.push_back(std::move(entry));
        ++counts.scanned;
        if (readable && entries.back()->reserved != 0 && cache_.Append(*entries.back()))
            ++counts.recordsWritten;
    }

    ListingStats counts;
    std::vector<std::unique_ptr<TFileInfo>> entries;

  private:
    TitleCache cache_;
};

void AddFile(ListingEntries& listing, const std::string& base, const std::string& name) {
    const std::string path = base + name;
    struct stat info {};
    const int32_t signature = ::stat(path.c_str(), &info) == 0 ? FileSignature(base, info) : 0;
    if (listing.AddCached(path, signature)) return;
    TextFileLines lines(path);
    const bool readable = lines.IsOpen();
    listing.AddScanned(std::make_unique<TFileInfo>(lines, path, signature), readable);
}

// The hint files of one archive, which is opened once; only the first block of a member is
// unpacked, and no more than the limits allow.
void AddArchiveMembers(ListingEntries& listing, const std::string& base, const std::string& name,
                       const ArchiveLimits& limits) {
    const std::string archive_path = base + name;
    struct stat info {};
    if (::stat(archive_path.c_str(), &info) != 0) return;
    ArchiveReader archive(archive_path, limits.members);
    if (!archive.IsOpen()) return;
    ++listing.counts.archivesOpened;
    uint64_t unpacked = 0;
    std::vector<char> block;
    for (const ArchiveMember& member : archive.Members()) {
        const std::string path = MemberPathOf(archive_path, member.name);
        const int32_t signature = FileSignature(base, info, path);
        if (listing.AddCached(path, signature)) continue;
        if (limits.bytes - unpacked < kTitleBlockBytes) continue;  // left to a later listing
        const bool readable = archive.ReadStart(member, kTitleBlockBytes, block);
        unpacked += block.size();
        listing.counts.memberBytesRead += block.size();
        listing.AddScanned(ScanBlock(path, block, kTitleBlockBytes, signature), readable);
    }
}

}  // namespace

bool ListHintFileNames(const std::string& folder, std::vector<std::string>& names) {
    return ListFileNames(folder, ".klu", names);
}

std::unique_ptr<TMetaTextHunk> BuildFolderListing(const std::string& folder,
                                                  const std::string& cache_path,
                                                  ListingStats* stats,
                                                  const ArchiveLimits& limits) {
    const std::string base = FolderWithSlash(folder);
    std::vector<std::string> names;
    if (!ListHintFileNames(base, names)) return nullptr;
    std::vector<std::string> archives;
    ListFileNames(base, ".zip", archives);

    ListingEntries found(cache_path);
    found.entries.reserve(names.size());
    for (const std::string& name : names)
        AddFile(found, base, name);
    for (const std::string& archive : archives)
        AddArchiveMembers(found, base, archive, limits);
    std::vector<std::unique_ptr<TFileInfo>>& entries = found.entries;

    std::vector<TKLUObject*> sorted;
    sorted.reserve(entries.size());
    for (const auto& entry : entries)
        sorted.push_back(entry.get());
    SortByTitle(sorted);

    // The entries go in as they are, one per line, without the markup processing of AddChild.
    auto listing =
        std::make_unique<TMetaTextHunk>(std::string(kListingTitlePrefix) + base, nullptr, SUBJECT);
    listing->children.reserve(sorted.size());
    for (TKLUObject* entry : sorted)
        listing->children.push_back(entry);
    for (auto& entry : entries)
        (void)entry.release();  // owned by the listing now
    if (stats) *stats = found.counts;
    return listing;
}

}  // namespace klu
