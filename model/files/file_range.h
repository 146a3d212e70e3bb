#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace klu {

// Data of a hint file's data area is moved in pieces of at most this many bytes, through one
// buffer of this size.
inline constexpr size_t kRangeChunk = 4096;

enum class RangeOutcome {
    Done,
    SourceUnopened,  // the file to read from cannot be opened, or is no regular file
    OutOfRange,      // the offset or length is negative, or the range ends beyond the file
    ReadFailed,      // the file could be opened but not read to the end of the range
    TargetUnopened,  // the file to write cannot be created or replaced
    WriteFailed,     // the file to write could not take all the bytes
    OutOfMemory,     // no buffer for the whole range
};

struct RangeResult {
    RangeOutcome outcome = RangeOutcome::Done;
    // What went wrong, naming the file it happened to; empty when done.
    std::string message;
    // The pieces read, each of at most kRangeChunk bytes.
    int chunks = 0;

    bool Ok() const { return outcome == RangeOutcome::Done; }
};

// Copies length bytes from offset of the source file into the target file, which the copy
// replaces once it is whole (see FileReplacement). The range is checked against the source
// before the target is touched; a failed read or write leaves the target as it was.
RangeResult CopyFileRange(const std::string& source, int64_t offset, int64_t length,
                          const std::string& target);

// Reads length bytes from offset of the file into bytes. The range is checked against the file's
// size before the buffer is made, so a length the file cannot hold is never allocated.
RangeResult ReadFileRange(const std::string& source, int64_t offset, int64_t length,
                          std::vector<char>& bytes);

}  // namespace klu
