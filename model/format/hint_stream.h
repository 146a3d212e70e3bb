#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace klu {

// The first line feed in [begin, stop), or stop; the bytes up to buffer_end may be read.
const char* FindLineFeed(const char* begin, const char* stop, const char* buffer_end);

// A hint file held in memory and read the way a text-mode input stream reads it on the platform
// the format comes from: a carriage return before a line feed is dropped (CRLF is one line end
// for every read), and the byte 0x1A ends the text, as end of file does. A seek clears that end,
// so the data area behind it can be read. Reads on a failed stream do nothing and give empty
// results, as a standard stream's do; the error state is cleared by Clear.
class HintStream {
  public:
    static constexpr int kEof = -1;

    explicit HintStream(std::vector<char> bytes);

    // State.
    bool Good() const { return !eof_ && !fail_; }
    bool Fail() const { return fail_; }
    bool Eof() const { return eof_; }
    void Clear() { eof_ = fail_ = false; }

    // Numbers: with the prefix rule a leading "0" means octal and "0x" hexadecimal; after
    // SetDecimal every number is decimal, leading zeros included. White space (line ends too) is
    // skipped first. A malformed number sets the fail state and gives 0; one out of the 32-bit
    // range sets it and gives the nearest limit.
    void SetDecimal() { decimal_ = true; }
    int32_t ReadInt();

    // Characters and lines.
    int Peek();
    int Get();
    // Reads up to the next line end (consumed, not part of the line). At most max_chars
    // characters are kept; the rest of the line is consumed all the same. The line is a view of
    // the stream's bytes, valid while the stream lives.
    std::string_view GetLine(size_t max_chars = SIZE_MAX);
    // Consumes the rest of the current line, line end included.
    void SkipLine();

    // Position: offsets count bytes from the start of the file. Seek outside the file fails.
    size_t Tell() const { return pos_; }
    void Seek(int64_t offset);

    // The whole file, as the checksum test reads it in binary mode.
    std::string_view Bytes() const { return {bytes_.data(), bytes_.size()}; }
    // The bytes at a view that Bytes or GetLine gave, for decoding them where they lie.
    char* Writable(std::string_view bytes) {
        return bytes_.data() + (bytes.data() - bytes_.data());
    }
    // Hands the bytes over; the stream is empty afterwards.
    std::vector<char> TakeBytes() { return std::move(bytes_); }

  private:
    // Raw byte at pos_ as the text reader sees it: kEof at the end or at 0x1A.
    int RawAt(size_t pos) const;
    // Length of the line end at pos_ (2 for CRLF, 1 for LF), or 0.
    size_t LineEndAt(size_t pos) const;
    // The offset of the first end-of-text byte at or after pos, or the size of the file. Reads
    // go forward, so one search serves every line up to the byte it finds.
    size_t EndOfTextFrom(size_t pos) {
        return pos >= endOfTextFrom_ && pos <= endOfText_ ? endOfText_ : FindEndOfText(pos);
    }
    size_t FindEndOfText(size_t pos);

    std::vector<char> bytes_;
    size_t pos_ = 0;
    bool eof_ = false;
    bool fail_ = false;
    bool decimal_ = false;
    size_t endOfTextFrom_ = 1;  // endOfText_ holds for positions from here up to itself
    size_t endOfText_ = 0;
};

}  // namespace klu
