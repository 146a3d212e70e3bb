#include "model/files/file_range_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace klu {

FileRangeReader::~FileRangeReader() {
    if (descriptor_ >= 0) close(descriptor_);
}

RangeResult FileRangeReader::Read(int64_t offset, int64_t length, std::vector<char>& bytes) {
    if (!opened_) {
        opened_ = true;
        descriptor_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (descriptor_ >= 0 && (fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode))) {
            close(descriptor_);
            descriptor_ = -1;
        }
        size_ = info.st_size;
    }
    const bool in_file = offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
    if (descriptor_ >= 0 && in_file) {
        try {
            bytes.resize(static_cast<size_t>(length));
            size_t done = 0;
            while (done < bytes.size()) {
                const ssize_t got = pread(descriptor_, bytes.data() + done, bytes.size() - done,
                                          static_cast<off_t>(offset) + static_cast<off_t>(done));
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0) break;
                done += static_cast<size_t>(got);
            }
            if (done == bytes.size()) return {};
        } catch (const std::bad_alloc&) {
        }
    }
    // Whatever went wrong is told as a read of its own tells it.
    return ReadFileRange(path_, offset, length, bytes);
}

}  // namespace klu
