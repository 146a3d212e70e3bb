#include "folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "file_bytes.h"
#include "file_info.h"
#include "file_locations.h"
#include "hint_document.h"
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

// What tells the file at path from another of its name: its folder, size, time of last
// change, and what no copy can fake (its inode and the inode's change time, which cp -p,
// touch -r and unzip cannot set back), folded into a positive number for the record's reserved
// field. Records written before, with another number there, never match and so are scanned
// once more. 0 when the file cannot be looked at.
// A member of an archive is told apart by its name in the archive and the archive's file.
int32_t FileSignature(const std::string& folder, const std::string& path) {
    const std::optional<MemberPath> member = SplitMemberPath(path);
    struct stat info {};
    if (::stat((member ? member->archive : path).c_str(), &info) != 0) return 0;
    uint32_t hash = 2166136261u;  // FNV-1a
    const auto mix = [&hash](const void* data, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            hash ^= static_cast<const unsigned char*>(data)[i];
            hash *= 16777619u;
        }
    };
    mix(folder.data(), folder.size());
    if (member) mix(path.data(), path.size());
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

// The header scan of a hint file packed in an archive, from its unpacked bytes.
std::unique_ptr<TFileInfo> ScanMember(const std::string& path, const MemberPath& member,
                                      int32_t signature, bool& readable) {
    std::vector<char> bytes;
    readable = ReadArchiveMember(member.archive, member.member, bytes, kLargestHintFile);
    std::FILE* file =
        readable && !bytes.empty() ? ::fmemopen(bytes.data(), bytes.size(), "rb") : nullptr;
    TextFileLines lines(file);
    return std::make_unique<TFileInfo>(lines, path, signature);
}

}  // namespace

bool ListHintFileNames(const std::string& folder, std::vector<std::string>& names) {
    return ListFileNames(folder, ".klu", names);
}

std::unique_ptr<TMetaTextHunk> BuildFolderListing(const std::string& folder,
                                                  const std::string& cache_path,
                                                  ListingStats* stats) {
    const std::string base = FolderWithSlash(folder);
    std::vector<std::string> names;
    if (!ListHintFileNames(base, names)) return nullptr;
    // The hint files packed in the folder's ZIP archives, named archive "/" member.
    std::vector<std::string> archives;
    ListFileNames(base, ".zip", archives);
    for (const std::string& archive : archives) {
        if (const auto members = HintFileMembers(base + archive)) {
            for (const ArchiveMember& member : *members)
                names.push_back(archive + "/" + member.name);
        }
    }

    ListingStats counts;
    TitleCache cache(cache_path);
    counts.cacheOpen = cache.IsOpen();
    std::vector<std::unique_ptr<TFileInfo>> entries;
    entries.reserve(names.size());
    for (const std::string& name : names) {
        // A record counts only for the same file as it was: a file replaced under its name, or
        // one of the name in another folder, is scanned afresh.
        const std::string path = base + name;
        const int32_t signature = FileSignature(base, path);
        if (const TFileInfo* cached =
                signature != 0 ? cache.Find(FileNameOf(path), signature) : nullptr) {
            entries.push_back(std::make_unique<TFileInfo>(*cached));
            entries.back()->path = path;
            ++counts.fromCache;
            continue;
        }
        bool readable = false;
        if (const std::optional<MemberPath> member = SplitMemberPath(path)) {
            entries.push_back(ScanMember(path, *member, signature, readable));
        } else {
            TextFileLines lines(path);
            readable = lines.IsOpen();
            entries.push_back(std::make_unique<TFileInfo>(lines, path, signature));
        }
        ++counts.scanned;
        // A file that could not be read now is scanned again next time.
        if (readable && signature != 0 && cache.Append(*entries.back())) ++counts.recordsWritten;
    }

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
    if (stats) *stats = counts;
    return listing;
}

}  // namespace klu
