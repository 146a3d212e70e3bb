#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "meta_text_hunk.h"

namespace klu {

inline constexpr std::string_view kListingTitlePrefix = "KLU Hint Files in ";

// What building a listing did, for the caller's report and for measurements.
struct ListingStats {
    size_t scanned = 0;         // files opened for a header scan
    size_t fromCache = 0;       // entries whose record was found in the title cache
    size_t recordsWritten = 0;  // records appended to the title cache
    bool cacheOpen = false;
};

// The names of a folder's hint files: regular files (or links to them) whose names end in ".klu"
// in any letter case, without hidden files (a name beginning with "."), in byte order so that a
// listing does not depend on the order the system returns them in. False when the folder cannot
// be read.
bool ListHintFileNames(const std::string& folder, std::vector<std::string>& names);

// The verbose listing of a folder: a SUBJECT hunk titled "KLU Hint Files in " + folder whose
// children, owned by it, are one TFileInfo per hint file (path = folder + name), sorted by
// title. A name found in the title cache at cache_path takes the cached record without opening
// the file; any other file is scanned and its record appended to the cache. The folder gets a
// trailing "/" when it lacks one ("./" when empty). Null when the folder cannot be read.
std::unique_ptr<TMetaTextHunk> BuildFolderListing(const std::string& folder,
                                                  const std::string& cache_path,
                                                  ListingStats* stats = nullptr);

}  // namespace klu
