#include "model/store/profile_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "model/files/whole_file.h"

namespace klu {
namespace {

// An exclusive lock on the profile's lock file while it lives. The lock file is never removed:
// a reader waiting on a removed one would lock a file nobody else sees.
class ProfileLock {
  public:
    explicit ProfileLock(const std::string& lock_path) {
        fd_ = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ < 0) return;  // then unguarded, as when the profile cannot be written at all
        // A holder keeps it for milliseconds; one whose process was stopped must not hang this
        // reader at its exit, so after a while it writes unguarded.
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR) &&
               std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ProfileLock(const ProfileLock&) = delete;
    ProfileLock& operator=(const ProfileLock&) = delete;
    ~ProfileLock() {
        if (fd_ >= 0) ::close(fd_);  // which unlocks
    }

  private:
    int fd_ = -1;
};

}  // namespace

std::string ProfileFile::ReadProfileString(std::string_view section, std::string_view key,
                                           std::string_view default_value) const {
    if (std::optional<ProfileText> text = ReadText()) {
        if (std::optional<std::string> found = text->Find(section, key)) return *std::move(found);
    }
    return std::string(default_value);
}

std::optional<ProfileText> ProfileFile::ReadText() const {
    std::string bytes;
    if (ReadWholeFile(path_, bytes) == ReadOutcome::Failed) return std::nullopt;
    return ProfileText::Parse(bytes);
}

bool ProfileFile::WriteProfileString(std::string_view section, std::string_view key,
                                     std::string_view value) {
    return WriteProfileStrings(
        {ProfileEntry{std::string(section), std::string(key), std::string(value)}});
}

bool ProfileFile::WriteProfileStrings(const std::vector<ProfileEntry>& entries) {
    return Update([&](ProfileText& text) {
        bool all_stored = true;
        for (const ProfileEntry& entry : entries)
            all_stored = text.Set(entry.section, entry.key, entry.value) && all_stored;
        return all_stored;
    });
}

bool ProfileFile::Update(const std::function<bool(ProfileText&)>& change) {
    const ProfileLock lock(LockPath(path_));
    std::string old_bytes;
    // A file that exists but cannot be read must not be replaced by one that lacks its content.
    if (ReadWholeFile(path_, old_bytes) == ReadOutcome::Failed) return false;

    ProfileText text = ProfileText::Parse(old_bytes);
    const bool all_changed = change(text);
    const std::string new_bytes = text.Serialize();
    if (new_bytes == old_bytes) return all_changed;  // nothing to change on the disk
    return ReplaceWholeFile(path_, new_bytes) && all_changed;
}

}  // namespace klu
