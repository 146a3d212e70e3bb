#include "whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace klu {
namespace {

// Closes a descriptor when it goes out of scope, unless it was released.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The file that a write to path really changes: the end of a chain of links.
bool ResolveTarget(const std::string& path, std::string& target) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) {
        target = path;
        return true;
    }
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    if (error) return false;  // a dangling link
    target = resolved.string();
    return true;
}

// Creates a file no other process uses, beside target; gives its descriptor, or -1.
int CreateTemporaryBeside(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolderOf(const std::string& target) {
    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // the rename has been made already; this only makes it last
    ::close(fd);
}

}  // namespace

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    std::string target;
    if (!ResolveTarget(path, target)) return false;

    struct stat old_info {};
    const bool existed = ::stat(target.c_str(), &old_info) == 0;
    if (existed && (!S_ISREG(old_info.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return false;
    if (!existed && errno != ENOENT) return false;

    std::string temporary;
    Descriptor file(CreateTemporaryBeside(target, temporary));
    if (file.get() < 0) return false;
    if (existed) (void)::fchmod(file.get(), old_info.st_mode & 07777);

    const bool written = WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0 && file.Close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace klu
