#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace klu {

// Reads a text file one line at a time, the way the loader's HintStream reads a hint file (a
// carriage return right before a line feed belongs to the line end, the byte 0x1A ends the text),
// but in blocks: a reader that stops after the lines it needs leaves the rest of the file unread.
class TextFileLines {
  public:
    // Opens a regular file for reading; IsOpen tells whether that worked.
    explicit TextFileLines(const std::string& path);
    // Reads from a stream opened by the caller (taken over and closed here); null is allowed.
    explicit TextFileLines(std::FILE* file);

    bool IsOpen() const { return file_ != nullptr; }

    // The next line without its line end. False, with line emptied, when nothing is left: the end
    // of the file, the end-of-text byte, a read error, a line of more than a mebibyte, or a file
    // that did not open. A last line without a line end is still given.
    bool Next(std::string& line);

    // Bytes taken from the file so far.
    size_t BytesRead() const { return bytesRead_; }

  private:
    bool Refill();

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    size_t bytesRead_ = 0;
    bool textEnded_ = false;
};

}  // namespace klu
