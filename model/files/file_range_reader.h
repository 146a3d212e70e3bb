#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/files/file_range.h"

namespace klu {

// Reads ranges of one file, which it opens once, at the first read: the data of a hint file's
// hunks one after another, without opening the file again for each.
class FileRangeReader {
  public:
    explicit FileRangeReader(std::string path) : path_(std::move(path)) {}
    ~FileRangeReader();
    FileRangeReader(const FileRangeReader&) = delete;
    FileRangeReader& operator=(const FileRangeReader&) = delete;

    // The bytes and the outcome of ReadFileRange(path, offset, length, bytes).
    RangeResult Read(int64_t offset, int64_t length, std::vector<char>& bytes);

  private:
    std::string path_;
    int descriptor_ = -1;  // none when the file is no regular file that opens
    bool opened_ = false;
    int64_t size_ = 0;
};

}  // namespace klu
