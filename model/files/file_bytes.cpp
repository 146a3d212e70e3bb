#include "model/files/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "model/files/memory_pages.h"

namespace klu {
namespace {

// Reads up to limit bytes; size receives the file's size. The bytes go straight from the system
// into their buffer, whose pages are made present by one call rather than by a fault each.
template <typename Bytes>
ReadOutcome ReadInto(const std::string& path, Bytes& bytes, size_t limit, int64_t* size) {
    bytes.clear();
    // Opened without blocking, so that a pipe or device under the name cannot hang the program;
    // only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
    ReadOutcome outcome = ReadOutcome::Failed;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        if (size) *size = static_cast<int64_t>(info.st_size);
        // The file may change while it is read: its size is only the first guess.
        bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit));
        AdviseHugePages(bytes.data(), bytes.capacity());
        PopulatePages(bytes.data(), bytes.capacity());
        constexpr size_t kStep = size_t{1} << 16;
        char more[1 << 12];  // for bytes past the first guess, which are rare
        size_t filled = 0;
        for (;;) {
            // Up to the guess a step at a time, so that the zeros a resize writes are still
            // cached when the read overwrites them; past it, through a small buffer, so that the
            // read that finds the end grows nothing.
            const bool past = filled == bytes.capacity();
            if (!past) bytes.resize(filled + std::min(kStep, bytes.capacity() - filled));
            const size_t wanted = std::min(past ? sizeof more : bytes.size() - filled,
                                           limit - filled);
            char* into = past ? more : bytes.data() + filled;
            const ssize_t got = wanted == 0 ? 0 : ::read(fd, into, wanted);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                outcome = got == 0 ? ReadOutcome::Read : ReadOutcome::Failed;
                break;
            }
            if (past) bytes.insert(bytes.end(), more, more + got);
            filled += static_cast<size_t>(got);
        }
        bytes.resize(filled);
    }
    ::close(fd);
    return outcome;
}

constexpr size_t kNoLimit = static_cast<size_t>(-1);

}  // namespace

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadInto(path, bytes, kNoLimit, nullptr);
}

bool ReadFileBytes(const std::string& path, std::vector<char>& bytes) {
    return ReadInto(path, bytes, kNoLimit, nullptr) == ReadOutcome::Read;
}

FilePrefix ReadFilePrefix(const std::string& path, size_t limit, std::vector<char>& bytes) {
    FilePrefix prefix;
    prefix.outcome = ReadInto(path, bytes, limit, &prefix.size);
    return prefix;
}

}  // namespace klu
