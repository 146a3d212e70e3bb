#include "model/format/hint_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "model/text/byte_lanes.h"

namespace klu {
namespace {

constexpr char kEndOfText = 0x1A;

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

}  // namespace

// Lines are short as a rule, shorter than a library search takes to get going, so where the
// buffer holds them, sixteen bytes are looked at a time.
const char* FindLineFeed(const char* begin, const char* stop, const char* buffer_end) {
#if defined(__SSE2__)
    for (; begin < stop && buffer_end - begin >= 16; begin += 16) {
        if (const unsigned found = lanes::Matches(lanes::Load16(begin), '\n'))
            return std::min(begin + __builtin_ctz(found), stop);
    }
    if (begin >= stop) return stop;
#endif
    const void* found = std::memchr(begin, '\n', static_cast<size_t>(stop - begin));
    return found ? static_cast<const char*>(found) : stop;
}

HintStream::HintStream(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

int HintStream::RawAt(size_t pos) const {
    if (pos >= bytes_.size() || bytes_[pos] == kEndOfText) return kEof;
    return static_cast<unsigned char>(bytes_[pos]);
}

size_t HintStream::LineEndAt(size_t pos) const {
    const int c = RawAt(pos);
    if (c == '\n') return 1;
    if (c == '\r' && RawAt(pos + 1) == '\n') return 2;
    return 0;
}

int HintStream::Peek() {
    if (fail_) return kEof;
    const int c = RawAt(pos_);
    if (c == kEof) {
        eof_ = true;
        return kEof;
    }
    return LineEndAt(pos_) ? '\n' : c;
}

int HintStream::Get() {
    const int c = Peek();
    if (c == kEof) {
        fail_ = true;
        return kEof;
    }
    const size_t end = LineEndAt(pos_);
    pos_ += end ? end : 1;
    return c;
}

size_t HintStream::FindEndOfText(size_t pos) {
    const void* found =
        pos < bytes_.size() ? std::memchr(bytes_.data() + pos, kEndOfText, bytes_.size() - pos)
                            : nullptr;
    endOfTextFrom_ = pos;
    endOfText_ = found ? static_cast<size_t>(static_cast<const char*>(found) - bytes_.data())
                       : bytes_.size();
    return endOfText_;
}

std::string_view HintStream::GetLine(size_t max_chars) {
    if (fail_) return {};
    // Scan for the next line feed or end-of-text byte; a carriage return right before the line
    // feed belongs to the line end.
    const char* begin = bytes_.data() + pos_;
    const char* end = bytes_.data() + bytes_.size();
    const char* stop = FindLineFeed(begin, bytes_.data() + EndOfTextFrom(pos_), end);
    const bool ended_by_line_feed = stop != end && *stop == '\n';
    const char* text_end = stop;
    if (ended_by_line_feed && text_end != begin && text_end[-1] == '\r') --text_end;
    const std::string_view line(begin, std::min(static_cast<size_t>(text_end - begin), max_chars));
    if (ended_by_line_feed) {
        pos_ = static_cast<size_t>(stop + 1 - bytes_.data());
    } else {
        pos_ = static_cast<size_t>(stop - bytes_.data());
        eof_ = true;
        if (stop == begin) fail_ = true;
    }
    return line;
}

void HintStream::SkipLine() {
    (void)GetLine(0);
}

void HintStream::Seek(int64_t offset) {
    if (fail_) return;
    if (offset < 0 || static_cast<uint64_t>(offset) > bytes_.size()) {
        fail_ = true;
        return;
    }
    pos_ = static_cast<size_t>(offset);
    eof_ = false;
}

int32_t HintStream::ReadInt() {
    if (fail_) return 0;
    while (IsSpace(Peek()))
        Get();
    if (Peek() == kEof) {
        fail_ = true;
        return 0;
    }
    bool negative = false;
    if (Peek() == '+' || Peek() == '-') negative = Get() == '-';

    int base = 10;
    bool have_digit = false;
    if (!decimal_ && Peek() == '0') {
        Get();
        have_digit = true;
        base = 8;
        if (Peek() == 'x' || Peek() == 'X') {
            Get();
            base = 16;
            have_digit = false;
        }
    }
    int64_t value = 0;
    bool overflow = false;
    for (int d; (d = DigitValue(Peek())) < base; Get()) {
        have_digit = true;
        value = value * base + d;
        if (value > int64_t{1} << 32) {
            overflow = true;
            value = int64_t{1} << 32;
        }
    }
    if (!have_digit) {
        fail_ = true;
        return 0;
    }
    if (negative) value = -value;
    if (overflow || value > std::numeric_limits<int32_t>::max() ||
        value < std::numeric_limits<int32_t>::min()) {
        fail_ = true;
        return value < 0 ? std::numeric_limits<int32_t>::min()
                         : std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

}  // namespace klu
