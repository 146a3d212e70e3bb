#include "file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace klu {
namespace {

template <typename Bytes>
ReadOutcome ReadInto(const std::string& path, Bytes& bytes) {
    bytes.clear();
    // Opened without blocking, so that a pipe or device under the name cannot hang the program;
    // only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
    ReadOutcome outcome = ReadOutcome::Failed;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.reserve(static_cast<size_t>(info.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
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

}  // namespace

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadInto(path, bytes);
}

bool ReadFileBytes(const std::string& path, std::vector<char>& bytes) {
    return ReadInto(path, bytes) == ReadOutcome::Read;
}

}  // namespace klu
