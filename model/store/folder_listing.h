#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/document/meta_text_hunk.h"

namespace klu {

inline constexpr std::string_view kListingTitlePrefix = "KLU Hint Files in ";

// What building a listing did, for the caller's report and for measurements.
struct ListingStats {
    size_t scanned = 0;         // files opened for a header scan
    size_t fromCache = 0;       // entries whose record was found in the title cache
    size_t recordsWritten = 0;  // records appended to the title cache
    size_t leftOut = 0;         // files found not to be hint files, which the listing leaves out
    size_t archivesOpened = 0;  // ZIP archives opened to list the hint files in them
    uint64_t memberBytesRead = 0;  // bytes unpacked from the hint files in archives
    bool cacheOpen = false;
};

// The title of a hint file stands on its first lines: of a hint file in an archive, a listing
// unpacks this much only. A file whose older part is longer shows its older title.
inline constexpr size_t kTitleBlockBytes = 4096;

// What a listing looks at in each ZIP archive of the folder, so that no archive makes it slow.
struct ArchiveLimits {
    // The first hint files of an archive, in archive order, that a listing shows.
    size_t members = 10000;
    // The bytes a listing unpacks from one archive. Once they are spent, the members not yet
    // scanned are left out; they are not cached, so a later listing, which takes the members
    // scanned now from the cache, comes to them.
    uint64_t bytes = uint64_t{32} << 20;
};

// The verbose listing of a folder: a SUBJECT hunk titled "KLU Hint Files in " + folder whose
// children, owned by it, are one FileInfo per hint file (path = folder + name), sorted by
// title; an entry whose title another entry has too shows its file name beside it. The hint
// files are the regular files (or links to them) whose names end in ".klu" in any letter case,
// without hidden ones (a name beginning with "."), taken in byte order of their names; those
// that turn out not to be hint files are left out. A name found in the title cache at
// cache_path takes the cached record without opening the file, or even looking at it: the
// folder's own listing tells whether it is the file the record was made from. Any other file
// is scanned and its record appended to the cache. The folder gets a
// trailing "/" when it lacks one ("./" when empty). The hint files in the folder's ZIP archives are
// listed too (path = folder + archive + "/" + member), within limits, each archive opened once.
// Null when the folder cannot be read.
std::unique_ptr<MetaTextHunk> BuildFolderListing(const std::string& folder,
                                                  const std::string& cache_path,
                                                  ListingStats* stats = nullptr,
                                                  const ArchiveLimits& limits = {});

}  // namespace klu
