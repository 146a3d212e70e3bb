#include "file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

namespace klu {

bool ReadFileBytes(const std::string& path, std::vector<char>& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) return false;
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    bytes.clear();
    bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return !std::ferror(file.get());
}

}  // namespace klu
