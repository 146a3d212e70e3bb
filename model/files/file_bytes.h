#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace klu {

enum class ReadOutcome { Read, Missing, Failed };

// True for a regular file, or a link to one.
bool IsRegularFile(const std::string& path);

// Reads a whole regular file. Missing when nothing exists at the path; Failed when something
// exists but cannot be read, or is not a regular file (a pipe or device is never waited on).
ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes);

// The same into a byte vector; gives true only when the file was read.
bool ReadFileBytes(const std::string& path, std::vector<char>& bytes);

// The first bytes of a regular file, at most limit of them, and the size of the whole file.
struct FilePrefix {
    ReadOutcome outcome = ReadOutcome::Failed;
    int64_t size = 0;
};
FilePrefix ReadFilePrefix(const std::string& path, size_t limit, std::vector<char>& bytes);

}  // namespace klu
