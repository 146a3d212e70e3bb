#include "whole_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <limits>
#include <string_view>
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

constexpr std::string_view kTemporaryMark = ".~";

// "target.~PID-N"; when target's name is too long for that, ".~PID-N" in its folder.
std::string TemporaryName(const std::string& target, unsigned number) {
    const std::string mark =
        std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" + std::to_string(number);
    const size_t name_at = target.rfind('/') + 1;  // 0 without a folder
    const bool fits = target.size() - name_at + mark.size() <= NAME_MAX;
    return (fits ? target : target.substr(0, name_at)) + mark;
}

// Creates a file no other process uses, beside target; gives its descriptor, or -1.
int CreateTemporaryBeside(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryName(target, counter++);
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

// The PID in a temporary file's name after "target.~": digits, "-", digits; 0 for another name.
pid_t WriterOf(std::string_view rest) {
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) return 0;
    const auto digits = [](std::string_view text) {
        return text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1)) || dash > 10) return 0;
    const long long pid = std::stoll(std::string(rest.substr(0, dash)));
    return pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

bool Runs(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

int RemoveStaleTemporaries(const std::string& path) {
    // The temporaries lie beside the file that replacements really change.
    std::string resolved;
    if (!ResolveTarget(path, resolved)) return 0;
    const std::filesystem::path target(resolved);
    const std::string prefix = target.filename().string() + std::string(kTemporaryMark);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    int removed = 0;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!name.starts_with(prefix)) continue;
        const pid_t writer = WriterOf(std::string_view(name).substr(prefix.size()));
        if (writer <= 0 || Runs(writer)) continue;
        std::error_code ignored;
        if (std::filesystem::remove(entry->path(), ignored)) ++removed;
    }
    return removed;
}

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
