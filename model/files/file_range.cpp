#include "model/files/file_range.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <new>
#include <system_error>

#include "model/files/whole_file.h"

namespace klu {
namespace {

// An open file descriptor, closed when it goes.
class Descriptor {
  public:
    Descriptor() = default;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }

    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    int Get() const { return fd_; }
    // Closes now; false when the close reports an error (a write the system had delayed).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_ = -1;
};

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string Reason(int error) {
    return std::error_code(error, std::generic_category()).message();
}

RangeResult Failure(RangeOutcome outcome, std::string message, int chunks = 0) {
    return RangeResult{outcome, std::move(message), chunks};
}

std::string PlaceText(int64_t offset, int64_t length) {
    return "The data at offset " + std::to_string(offset) + " with a length of " +
           std::to_string(length) + " bytes";
}

// Opens the source for reading at offset, once the range is known to lie inside it. Only
// regular files are read, and opening does not wait on a pipe or device under the name.
RangeResult OpenSource(const std::string& source, int64_t offset, int64_t length, Descriptor& fd,
                       struct stat& info) {
    if (offset < 0 || length < 0)
        return Failure(RangeOutcome::OutOfRange,
                       PlaceText(offset, length) + " is not a place in " + Quoted(source) + ".");
    fd.Reset(::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        return Failure(RangeOutcome::SourceUnopened,
                       "Cannot open " + Quoted(source) + " for reading: " + Reason(errno) + ".");
    if (::fstat(fd.Get(), &info) != 0)
        return Failure(RangeOutcome::SourceUnopened,
                       "Cannot read " + Quoted(source) + ": " + Reason(errno) + ".");
    if (!S_ISREG(info.st_mode))
        return Failure(RangeOutcome::SourceUnopened,
                       "Cannot read " + Quoted(source) + ": it is not a regular file.");
    const int64_t size = info.st_size;
    if (offset > size || length > size - offset)
        return Failure(RangeOutcome::OutOfRange,
                       PlaceText(offset, length) + " lies beyond the end of " + Quoted(source) +
                           ", which holds " + std::to_string(size) + " bytes.");
    if (::lseek(fd.Get(), static_cast<off_t>(offset), SEEK_SET) < 0)
        return Failure(RangeOutcome::ReadFailed,
                       "Cannot read " + Quoted(source) + ": " + Reason(errno) + ".");
    return RangeResult{};
}

// Fills size bytes of buffer from the file. On failure error is the system's error number, or 0
// when the file ended first.
bool ReadChunk(int fd, char* buffer, size_t size, int& error) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            error = got == 0 ? 0 : errno;
            return false;
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

RangeResult ReadFailure(const std::string& source, int error, int chunks) {
    if (error == 0)
        return Failure(RangeOutcome::ReadFailed,
                       "Cannot read " + Quoted(source) + ": the file ended before its data did.",
                       chunks);
    return Failure(RangeOutcome::ReadFailed,
                   "Cannot read " + Quoted(source) + ": " + Reason(error) + ".", chunks);
}

RangeResult WriteFailure(const std::string& target, int error, int chunks) {
    return Failure(RangeOutcome::WriteFailed,
                   "Cannot write " + Quoted(target) + ": " + Reason(error) + ".", chunks);
}

// A copy put in place of the file it comes from would destroy that file.
bool IsSource(const std::string& target, const struct stat& source_info) {
    struct stat info {};
    return ::stat(target.c_str(), &info) == 0 && info.st_dev == source_info.st_dev &&
           info.st_ino == source_info.st_ino;
}

}  // namespace

RangeResult CopyFileRange(const std::string& source, int64_t offset, int64_t length,
                          const std::string& target) {
    Descriptor in;
    struct stat source_info {};
    if (RangeResult opened = OpenSource(source, offset, length, in, source_info); !opened.Ok())
        return opened;
    if (IsSource(target, source_info))
        return Failure(RangeOutcome::TargetUnopened,
                       "Cannot write " + Quoted(target) + ": it is the file the data comes from.");
    FileReplacement out(target);
    if (!out.Opened())
        return Failure(RangeOutcome::TargetUnopened,
                       "Cannot create " + Quoted(target) + ": " + Reason(out.Error()) + ".");

    std::array<char, kRangeChunk> buffer;
    RangeResult result;
    int error = 0;
    for (int64_t left = length; left > 0 && result.Ok();) {
        const size_t size = static_cast<size_t>(std::min<int64_t>(left, kRangeChunk));
        ++result.chunks;
        if (!ReadChunk(in.Get(), buffer.data(), size, error))
            result = ReadFailure(source, error, result.chunks);
        else if (!out.Write(std::string_view(buffer.data(), size)))
            result = WriteFailure(target, out.Error(), result.chunks);
        left -= static_cast<int64_t>(size);
    }
    // Only a whole copy takes the target's place; a failed one leaves the old file.
    if (result.Ok() && !out.Commit()) result = WriteFailure(target, out.Error(), result.chunks);
    return result;
}

RangeResult ReadFileRange(const std::string& source, int64_t offset, int64_t length,
                          std::vector<char>& bytes) {
    bytes.clear();
    Descriptor in;
    struct stat info {};
    if (RangeResult opened = OpenSource(source, offset, length, in, info); !opened.Ok())
        return opened;
    try {
        bytes.resize(static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
        return Failure(RangeOutcome::OutOfMemory, "There is not enough memory for the " +
                                                      std::to_string(length) + " bytes of " +
                                                      Quoted(source) + ".");
    }
    RangeResult result;
    int error = 0;
    for (size_t at = 0; at < bytes.size(); at += kRangeChunk) {
        ++result.chunks;
        if (!ReadChunk(in.Get(), bytes.data() + at, std::min(kRangeChunk, bytes.size() - at),
                       error)) {
            std::vector<char>().swap(bytes);
            return ReadFailure(source, error, result.chunks);
        }
    }
    return result;
}

}  // namespace klu
