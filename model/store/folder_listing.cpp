#include "model/store/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unordered_map>

#include "model/files/file_bytes.h"
#include "model/store/file_info.h"
#include "model/files/file_locations.h"
#include "model/store/sort_key.h"
#include "model/files/text_file_lines.h"
#include "model/text/text_util.h"
#include "model/store/title_cache.h"
#include "model/files/zip_members.h"

namespace klu {
namespace {

bool HasExtension(std::string_view name, std::string_view extension) {
    return !name.starts_with('.') && name.size() > extension.size() &&
           EndsWithNoCase(name, extension);
}

// FNV-1a, folded on from a running value so that the folder is hashed once per listing.
uint32_t MixBytes(uint32_t hash, const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<const unsigned char*>(data)[i];
        hash *= 16777619u;
    }
    return hash;
}

// A positive number for the record's reserved field, from a hash: 0 means "no signature".
int32_t SignatureOf(uint32_t hash) {
    const auto signature = static_cast<int32_t>(hash & 0x7FFFFFFFu);
    return signature == 0 ? 1 : signature;
}

// What tells a file from another of its name: its folder, size, time of last change, and what
// no copy can fake (its inode and the inode's change time, which cp -p, touch -r and unzip cannot
// set back), folded into a positive number for the record's reserved field. A file rewritten in
// place, or deleted and made again on a reused inode, is scanned afresh. This costs one stat
// per file; the folder's listing gives no times. Records written before, with another number
// there, never match and so are scanned once more.
int32_t FileSignature(uint32_t folder_hash, const struct stat& info) {
    const int64_t numbers[] = {
        static_cast<int64_t>(info.st_size),       static_cast<int64_t>(info.st_mtim.tv_sec),
        static_cast<int64_t>(info.st_mtim.tv_nsec), static_cast<int64_t>(info.st_dev),
        static_cast<int64_t>(info.st_ino),        static_cast<int64_t>(info.st_ctim.tv_sec),
        static_cast<int64_t>(info.st_ctim.tv_nsec)};
    return SignatureOf(MixBytes(folder_hash, numbers, sizeof numbers));
}

// A member of an archive is told apart by its path (the archive's, "/", its name in the archive)
// and the archive's file: its size, times and inode, which cp -p, touch -r and unzip cannot set
// back all of. One stat per archive, not per member.
int32_t MemberSignature(uint32_t folder_hash, const struct stat& archive,
                        std::string_view member_path) {
    return FileSignature(MixBytes(folder_hash, member_path.data(), member_path.size()), archive);
}

// A hint file of the folder as its listing names it.
struct FolderFile {
    std::string name;
    bool operator<(const FolderFile& other) const { return name < other.name; }
};

// What a listing takes from a folder, read once: its hint files and its ZIP archives, and the
// folder kept open, so that a file's stat looks up its name alone, not the folder's path again.
struct FolderContents {
    std::vector<FolderFile> hintFiles;
    std::vector<std::string> archives;
    std::unique_ptr<DIR, int (*)(DIR*)> folder{nullptr, &::closedir};

    bool Stat(const std::string& name, struct stat& info) const {
        return ::fstatat(::dirfd(folder.get()), name.c_str(), &info, 0) == 0;
    }
};

// Reads the names of the regular files of a folder (or links to them) with the two extensions,
// in byte order. Read with the C interface: the type of most entries comes with the
// name, without a stat or a path object per file, which counts when a cached listing should
// cost next to nothing.
bool ReadFolder(const std::string& base, FolderContents& contents) {
    contents.folder.reset(::opendir(base.c_str()));
    if (!contents.folder) return false;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(contents.folder.get());
        if (!entry) break;
        const bool hint_file = HasExtension(entry->d_name, ".klu");
        if (!hint_file && !HasExtension(entry->d_name, ".zip")) continue;
        struct stat info {};
        const bool regular =
            entry->d_type == DT_REG || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
                                        contents.Stat(entry->d_name, info) && S_ISREG(info.st_mode));
        if (!regular) continue;
        if (hint_file) {
            contents.hintFiles.push_back({entry->d_name});
        } else {
            contents.archives.emplace_back(entry->d_name);
        }
    }
    if (errno != 0) return false;  // the end of the folder leaves errno alone
    std::sort(contents.hintFiles.begin(), contents.hintFiles.end());
    std::sort(contents.archives.begin(), contents.archives.end());
    return true;
}

// The header scan of a hint file packed in an archive, from the first block of its bytes. A
// block that fills the limit may stop inside a line: it ends at its last line end instead, so
// that no title is shown cut short.
std::unique_ptr<FileInfo> ScanBlock(const std::string& path, std::vector<char>& block,
                                     size_t limit, int32_t signature) {
    if (block.size() == limit) {
        const auto line_end = std::find(block.rbegin(), block.rend(), '\n');
        if (line_end != block.rend()) block.erase(line_end.base(), block.end());
    }
    std::FILE* file = block.empty() ? nullptr : ::fmemopen(block.data(), block.size(), "rb");
    TextFileLines lines(file);
    return std::make_unique<FileInfo>(lines, path, signature);
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
    bool AddCached(std::string path, std::string_view file_name, int32_t signature) {
        std::unique_ptr<FileInfo> cached = cache_.Take(file_name, signature);
        if (!cached) return false;
        cached->path = std::move(path);
        entries.push_back(std::move(cached));
        ++counts.fromCache;
        return true;
    }

    // Adds the entry of a file just scanned (its reserved number the file's signature); one that
    // could not be read now is scanned again next time.
    void AddScanned(std::unique_ptr<FileInfo> entry, bool readable) {
        entries.push_back(std::move(entry));
        ++counts.scanned;
        if (readable && entries.back()->reserved != 0 && cache_.Append(*entries.back()))
            ++counts.recordsWritten;
    }

    ListingStats counts;
    std::vector<std::unique_ptr<FileInfo>> entries;

  private:
    TitleCache cache_;
};

void AddFile(ListingEntries& listing, const FolderContents& contents, const std::string& base,
             uint32_t folder_hash, const FolderFile& file) {
    std::string path = base + file.name;
    struct stat info {};
    const int32_t signature =
        contents.Stat(file.name, info) ? FileSignature(folder_hash, info) : 0;
    if (listing.AddCached(path, file.name, signature)) return;
    TextFileLines lines(path);
    const bool readable = lines.IsOpen();
    listing.AddScanned(std::make_unique<FileInfo>(lines, std::move(path), signature), readable);
}

// The hint files of one archive, which is opened once; only the first block of a member is
// unpacked, and no more than the limits allow.
void AddArchiveMembers(ListingEntries& listing, const std::string& base, uint32_t folder_hash,
                       const std::string& name, const ArchiveLimits& limits) {
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
        const int32_t signature = MemberSignature(folder_hash, info, path);
        if (listing.AddCached(path, FileNameOf(path), signature)) continue;
        if (limits.bytes - unpacked < kTitleBlockBytes) continue;  // left to a later listing
        const bool readable = archive.ReadStart(member, kTitleBlockBytes, block);
        unpacked += block.size();
        listing.counts.memberBytesRead += block.size();
        listing.AddScanned(ScanBlock(path, block, kTitleBlockBytes, signature), readable);
    }
}

// Marks the entries whose title another entry has too (letter case ignored), so that each
// shows its file name beside the title. Such entries have equal keys, so they stand in one run
// of equal keys.
void MarkRepeatedTitles(const std::vector<KLUObject*>& sorted,
                        const std::vector<std::string>& keys) {
    std::unordered_map<std::string, FileInfo*> first_of_title;
    for (size_t run = 0, end = 0; run < sorted.size(); run = end) {
        for (end = run + 1; end < sorted.size() && keys[end] == keys[run];)
            ++end;
        if (end - run < 2) continue;
        first_of_title.clear();
        for (size_t i = run; i < end; ++i) {
            auto* entry = static_cast<FileInfo*>(sorted[i]);
            const auto [first, added] = first_of_title.try_emplace(ToUpper(entry->fileTitle), entry);
            if (added) continue;
            first->second->showFileName = true;
            entry->showFileName = true;
        }
    }
}

}  // namespace

std::unique_ptr<MetaTextHunk> BuildFolderListing(const std::string& folder,
                                                  const std::string& cache_path,
                                                  ListingStats* stats,
                                                  const ArchiveLimits& limits) {
    const std::string base = FolderWithSlash(folder);
    FolderContents contents;
    if (!ReadFolder(base, contents)) return nullptr;
    const uint32_t folder_hash = MixBytes(2166136261u, base.data(), base.size());

    ListingEntries found(cache_path);
    found.entries.reserve(contents.hintFiles.size());
    for (const FolderFile& file : contents.hintFiles)
        AddFile(found, contents, base, folder_hash, file);
    for (const std::string& archive : contents.archives)
        AddArchiveMembers(found, base, folder_hash, archive, limits);

    // A file that is not a hint file has no version; it is cached like any other, so that it is
    // not read again, but a listing of hint files has no line for it.
    std::vector<KLUObject*> sorted;
    sorted.reserve(found.entries.size());
    for (const auto& entry : found.entries) {
        if (!entry->version.empty()) sorted.push_back(entry.get());
    }
    found.counts.leftOut = found.entries.size() - sorted.size();
    MarkRepeatedTitles(sorted, SortByTitleKeys(sorted));

    // The entries go in as they are, one per line, without the markup processing of AddChild.
    auto listing =
        std::make_unique<MetaTextHunk>(std::string(kListingTitlePrefix) + base, nullptr, SUBJECT);
    listing->children.reserve(sorted.size());
    for (KLUObject* entry : sorted) {
        static_cast<FileInfo*>(entry)->listing = listing.get();
        listing->children.push_back(entry);
    }
    for (auto& entry : found.entries) {
        if (!entry->version.empty()) (void)entry.release();  // owned by the listing now
    }
    if (stats) *stats = found.counts;
    return listing;
}

}  // namespace klu
