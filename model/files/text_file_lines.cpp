#include "model/files/text_file_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace klu {
namespace {

constexpr char kEndOfText = 0x1A;
// Large enough that the header of a typical hint file comes in one or two reads.
constexpr size_t kBlockSize = 16 * 1024;
// No line of a hint file comes near this length; a longer one ends the text, so that a huge
// file without line ends costs neither the memory nor the time to read it all.
constexpr size_t kLongestLine = 1 << 20;

// Opened without waiting, so that a pipe or device under a hint file's name cannot block the
// listing; anything but a regular file is refused.
std::FILE* OpenRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    std::FILE* file = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) file = fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

}  // namespace

TextFileLines::TextFileLines(const std::string& path) : TextFileLines(OpenRegularFile(path)) {}

TextFileLines::TextFileLines(std::FILE* file) : file_(file, &std::fclose) {
    if (file_) buffer_.resize(kBlockSize);
}

bool TextFileLines::Refill() {
    if (!file_ || textEnded_) return false;
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    bytesRead_ += end_;
    if (end_ == 0) textEnded_ = true;
    return end_ != 0;
}

bool TextFileLines::Next(std::string& line) {
    line.clear();
    bool have_text = false;
    for (;;) {
        if (pos_ == end_ && !Refill()) return have_text;
        const char* begin = buffer_.data() + pos_;
        const char* stop = std::find_if(begin, static_cast<const char*>(buffer_.data() + end_),
                                        [](char c) { return c == '\n' || c == kEndOfText; });
        line.append(begin, stop);
        have_text = have_text || stop != begin;
        if (line.size() > kLongestLine) {
            textEnded_ = true;
            pos_ = end_ = 0;
            line.clear();
            return false;
        }
        pos_ = static_cast<size_t>(stop - buffer_.data());
        if (pos_ == end_) continue;
        if (*stop == kEndOfText) {
            textEnded_ = true;
            pos_ = end_ = 0;
            return have_text;
        }
        ++pos_;  // the line feed
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }
}

}  // namespace klu
