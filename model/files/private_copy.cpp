#include "model/files/private_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "model/files/file_locations.h"
#include "model/files/whole_file.h"

namespace klu {

std::unique_ptr<PrivateCopy> PrivateCopy::Create(const std::string& folder,
                                                 std::string_view bytes) {
    std::string path = FolderWithSlash(folder) + ".kluwin-copy-XXXXXX";
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);  // mode 0600, never an existing file
    if (fd < 0) return nullptr;
    std::unique_ptr<PrivateCopy> copy(new PrivateCopy(path));  // removes the file on failure
    const bool written = WriteAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    return written && closed ? std::move(copy) : nullptr;
}

PrivateCopy::~PrivateCopy() {
    ::unlink(path_.c_str());
}

}  // namespace klu
