#include "folder_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "model/files/whole_file.h"

namespace klu::cli {

FolderWriter::FolderWriter(const std::string& folder)
    : folder_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {}

FolderWriter::~FolderWriter() {
    if (folder_ >= 0) ::close(folder_);
}

FolderWriter::Result FolderWriter::Create(const std::string& name, std::string_view bytes) {
    Result result;
    const int fd = Open(name, result);
    if (fd < 0) return result;
    const bool written = WriteAll(fd, bytes);
    return ::close(fd) == 0 && written ? Result::Written : Result::Failed;
}

int FolderWriter::Open(const std::string& name, Result& result) {
    const int fd = ::openat(folder_, name.c_str(),
                            O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        result = errno == EEXIST ? Result::Taken : Result::Failed;
        return -1;
    }
    created_.push_back(name);
    result = Result::Written;
    return fd;
}

int FolderWriter::CreateUnnamed() {
    return ::openat(folder_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
}

bool FolderWriter::Sync() {
    // One sync of the file system that holds the folder makes every file written and their names
    // durable at once, where a sync of each file would wait on the disk once per file.
    return ::syncfs(folder_) == 0;
}

void FolderWriter::RemoveCreated() {
    for (const std::string& name : created_)
        ::unlinkat(folder_, name.c_str(), 0);
    created_.clear();
}

}  // namespace klu::cli
