#include "model/files/whole_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>
#include <system_error>

namespace klu {
namespace {

constexpr std::string_view kTemporaryMark = ".~";
constexpr size_t kLongestName = 255;  // of one folder entry

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

// Twelve hex digits no other process can guess.
std::string RandomTag() {
    static std::random_device device;
    const uint64_t bits = (uint64_t{device()} << 32) ^ device();
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string tag;
    for (int i = 0; i < 12; ++i)
        tag += kDigits[(bits >> (4 * i)) & 0xF];
    return tag;
}

// A name beside target for its temporary: "NAME.~PID-TAG", NAME cut short when the whole would
// be longer than a folder entry may be.
std::string TemporaryNameBeside(const std::string& target) {
    const std::filesystem::path path(target);
    const std::string suffix =
        std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" + RandomTag();
    std::string name = path.filename().string();
    if (name.size() + suffix.size() > kLongestName) name.resize(kLongestName - suffix.size());
    return (path.parent_path() / (name + suffix)).string();
}

void SyncFolderOf(const std::string& target) {
    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // the rename has been made already; this only makes it last
    ::close(fd);
}

// The PID in a temporary file's name after "target.~": digits, "-", letters and digits; 0 for
// another name.
pid_t WriterOf(std::string_view rest) {
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size() || dash > 10)
        return 0;
    for (size_t i = 0; i < rest.size(); ++i) {
        const auto c = static_cast<unsigned char>(rest[i]);
        if (i != dash && !(i < dash ? std::isdigit(c) : std::isalnum(c))) return 0;
    }
    const long long pid = std::stoll(std::string(rest.substr(0, dash)));
    return pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

bool Runs(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

FileReplacement::FileReplacement(const std::string& path) {
    if (!ResolveTarget(path, target_)) {
        Fail(ENOENT);
        return;
    }
    struct stat old_info {};
    const bool existed = ::stat(target_.c_str(), &old_info) == 0;
    if (!existed && errno != ENOENT) {
        Fail(errno);
        return;
    }
    if (existed && !S_ISREG(old_info.st_mode)) {
        Fail(S_ISDIR(old_info.st_mode) ? EISDIR : EINVAL);
        return;
    }
    if (existed && ::access(target_.c_str(), W_OK) != 0) {
        Fail(errno);
        return;
    }
    // O_EXCL with O_NOFOLLOW: a file or link someone placed under the name makes the open fail
    // instead of writing through it. A new file gets the usual permissions, an existing one's
    // copy stays private until it takes the old permissions.
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = TemporaryNameBeside(target_);
        fd_ = ::open(temporary_.c_str(), kFlags, existed ? 0600 : 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        Fail(errno);
        return;
    }
    if (existed) (void)::fchmod(fd_, old_info.st_mode & 07777);
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool FileReplacement::Fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
    return false;
}

bool FileReplacement::Write(std::string_view bytes) {
    if (!Opened() || error_ != 0) return Fail(EBADF);
    return WriteAll(fd_, bytes) || Fail(errno);
}

bool FileReplacement::CopyOldContent() {
    if (!Opened() || error_ != 0) return Fail(EBADF);
    const int old = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (old < 0) return errno == ENOENT || Fail(errno);
    char buffer[1 << 16];
    bool copied = true;
    for (;;) {
        const ssize_t got = ::read(old, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            copied = got == 0 || Fail(errno);
            break;
        }
        if (!Write(std::string_view(buffer, static_cast<size_t>(got)))) {
            copied = false;
            break;
        }
    }
    ::close(old);
    return copied;
}

bool FileReplacement::Commit() {
    if (!Opened() || error_ != 0) return Fail(EBADF);
    const int fd = fd_;
    fd_ = -1;
    const bool synced = ::fsync(fd) == 0 || Fail(errno);
    const bool closed = ::close(fd) == 0 || Fail(errno);
    if (!synced || !closed) return false;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail(errno);
    temporary_.clear();  // it is the file now
    SyncFolderOf(target_);
    return true;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    FileReplacement replacement(path);
    return replacement.Write(bytes) && replacement.Commit();
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
    FileReplacement replacement(path);
    return replacement.CopyOldContent() && replacement.Write(bytes) && replacement.Commit();
}

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

}  // namespace klu
