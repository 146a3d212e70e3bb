#pragma once

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace klu::fuzz {

// A file of this process, removed when the process ends; in memory when /dev/shm is there, so
// that rewriting it for every input does not wait for a disk.
struct TemporaryFile {
    TemporaryFile() {
        for (const char* pattern : {"/dev/shm/klu-fuzz-XXXXXX", "/tmp/klu-fuzz-XXXXXX"}) {
            path = pattern;
            const int fd = ::mkstemp(path.data());
            if (fd < 0) continue;
            ::close(fd);
            return;
        }
        std::abort();
    }
    ~TemporaryFile() { ::unlink(path.c_str()); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    std::string path;
};

}  // namespace klu::fuzz
