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
class TLineText {
  public:
    TLineText() = default;
    // Converts from any string, as std::string does: the text is copied and owned.
    TLineText(std::string_view text) { Assign(text); }
    TLineText(const std::string& text) : TLineText(std::string_view(text)) {}
    TLineText(const char* text) : TLineText(std::string_view(text)) {}
    TLineText(const TLineText& other) : TLineText(other.view()) {}
    TLineText(TLineText&& other) noexcept : data_(other.data_), bits_(other.bits_) {
        other.data_ = nullptr;
        other.bits_ = 0;
    }
    TLineText& operator=(const TLineText& other);
    TLineText& operator=(TLineText&& other) noexcept;
    ~TLineText() { Release(); }

    // A view of kept characters; they must outlive the text and every part of it.
    static TLineText Borrowed(std::string_view kept) {
        TLineText text;
        text.data_ = kept.data();
        text.bits_ = CheckedSize(kept.size());
        return text;
    }

    std::string_view view() const { return {data_, size()}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    const char* data() const { return data_; }
    size_t size() const { return bits_ & kSizeBits; }
    bool empty() const { return size() == 0; }

    // The characters from pos, at most count of them, held the same way: a part of a borrowed
    // text is a view of the same kept characters, a part of an owned one a copy.
    TLineText Part(size_t pos, size_t count = std::string_view::npos) const {
        const std::string_view part = view().substr(pos, count);
        return owned() ? TLineText(part) : Borrowed(part);
    }

    friend bool operator==(const TLineText& text, std::string_view other) {
        return text.view() == other;
    }

  private:
    void Assign(std::string_view text);
    void Release() noexcept {
        if (owned()) delete[] data_;
    }

    // Far above any text a hint file can hold; a longer one is refused, never cut.
    static constexpr uint32_t kSizeBits = 0x7FFFFFFF;
    static constexpr uint32_t kOwnedBit = 0x80000000;
    static uint32_t CheckedSize(size_t size) {
        if (size > kSizeBits) throw std::length_error("a text longer than 2 GiB");
        return static_cast<uint32_t>(size);
    }
    bool owned() const { return (bits_ & kOwnedBit) != 0; }

    // Twelve bytes in all, packed with no alignment so that the flags of a line follow at once:
    // a text is kept for every line of a tree.
    const char* data_ = nullptr;
    uint32_t bits_ = 0;  // the size, and kOwnedBit when the characters are the text's own
} __attribute__((packed));

std::ostream& operator<<(std::ostream& out, const TLineText& text);

}  // namespace klu
