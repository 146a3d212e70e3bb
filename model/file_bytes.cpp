#include "file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "memory_pages.h"

namespace klu {
namespace {

// Reads up to limit bytes; size receives the file's size.
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
        bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit));
        AdviseHugePages(bytes.data(), bytes.capacity());
        char buffer[1 << 16];
        for (;;) {
            const size_t wanted = std::min(sizeof buffer, limit - bytes.size());
            const ssize_t got = wanted == 0 ? 0 : ::read(fd, buffer, wanted);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                outcome = got == 0 ? ReadOutcome::Read : ReadOutcome::Failed;
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
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
