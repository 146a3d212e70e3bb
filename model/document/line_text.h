#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

namespace klu {

// The text of a line or the title of a hunk. Text a load reads is borrowed: a view of characters
// the document keeps for as long as its tree lives (see TreeArena), so reading a file makes no
// string of its own per line. Text the program builds is owned. A copy always owns its
// characters, so a copy may outlive the document it came from.
//
// A line of a loaded tree holds its text inline: the characters follow the size in the line's
// own block, where the pointer would be, so a short line costs no pointer. Inline characters are
// the text's own, like owned ones: a part or a move of them is a copy.
class LineText {
  public:
    LineText() = default;
    // Converts from any string, as std::string does: the text is copied and owned.
    LineText(std::string_view text) { Assign(text); }
    LineText(const std::string& text) : LineText(std::string_view(text)) {}
    LineText(const char* text) : LineText(std::string_view(text)) {}
    LineText(const LineText& other) : LineText(other.view()) {}
    // Not noexcept: moving an inline text copies it, and leaves it as it is.
    LineText(LineText&& other) {
        if (other.inlined()) {
            Assign(other.view());
        } else {
            Take(other);
        }
    }
    LineText& operator=(const LineText& other);
    LineText& operator=(LineText&& other) {
        if (other.inlined()) return *this = LineText(std::move(other));
        if (this != &other) {
            Release();
            Take(other);
        }
        return *this;
    }
    ~LineText() { Release(); }

    // A view of kept characters; they must outlive the text and every part of it.
    static LineText Borrowed(std::string_view kept) {
        LineText text;
        text.data_ = kept.data();
        text.bits_ = CheckedSize(kept.size());
        return text;
    }

    // Makes this an inline text of size characters and gives where they go. The block that holds
    // this text must have room for them after the size, and for at least a pointer, so that the
    // text can be set to another one later.
    char* StartInline(size_t size) {
        Release();
        bits_ = CheckedSize(size) | kInlineBit;
        return InlineChars();
    }

    std::string_view view() const { return {data(), size()}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    const char* data() const { return inlined() ? InlineChars() : data_; }
    size_t size() const { return bits_ & kSizeBits; }
    bool empty() const { return size() == 0; }

    // The characters from pos, at most count of them, held the same way: a part of a borrowed
    // text is a view of the same kept characters, a part of an owned one a copy.
    LineText Part(size_t pos, size_t count = std::string_view::npos) const {
        const std::string_view part = view().substr(pos, count);
        return borrowed() ? Borrowed(part) : LineText(part);
    }

    friend bool operator==(const LineText& text, std::string_view other) {
        return text.view() == other;
    }

  private:
    void Assign(std::string_view text);
    void Take(LineText& other) noexcept {
        bits_ = other.bits_;
        data_ = other.data_;
        other.bits_ = 0;
        other.data_ = nullptr;
    }
    void Release() noexcept {
        if (owned()) delete[] data_;
    }

    // Far above any text a hint file can hold; a longer one is refused, never cut.
    static constexpr uint32_t kSizeBits = 0x3FFFFFFF;
    static constexpr uint32_t kInlineBit = 0x40000000;
    static constexpr uint32_t kOwnedBit = 0x80000000;
    static uint32_t CheckedSize(size_t size) {
        if (size > kSizeBits) throw std::length_error("a text longer than 1 GiB");
        return static_cast<uint32_t>(size);
    }
    bool owned() const { return (bits_ & kOwnedBit) != 0; }
    bool inlined() const { return (bits_ & kInlineBit) != 0; }
    bool borrowed() const { return (bits_ & (kOwnedBit | kInlineBit)) == 0; }
    char* InlineChars() const {
        return const_cast<char*>(reinterpret_cast<const char*>(this) + sizeof(bits_));
    }

    // Twelve bytes in all, packed with no alignment so that a text is kept for every line of a
    // tree at little cost. The size comes first: inline characters take the pointer's place.
    uint32_t bits_ = 0;  // the size, and how the characters are held
    const char* data_ = nullptr;
} __attribute__((packed));

std::ostream& operator<<(std::ostream& out, const LineText& text);

}  // namespace klu
