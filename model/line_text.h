#pragma once

#include <cstddef>
#include <iosfwd>
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
    TLineText(TLineText&& other) noexcept
        : data_(other.data_), size_(other.size_), owned_(other.owned_) {
        other.data_ = nullptr;
        other.size_ = 0;
        other.owned_ = 0;
    }
    TLineText& operator=(const TLineText& other);
    TLineText& operator=(TLineText&& other) noexcept;
    ~TLineText() { Release(); }

    // A view of kept characters; they must outlive the text and every part of it.
    static TLineText Borrowed(std::string_view kept) noexcept {
        TLineText text;
        text.data_ = kept.data();
        text.size_ = kept.size() & kSizeMask;
        return text;
    }

    std::string_view view() const { return {data_, size_}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    const char* data() const { return data_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // The characters from pos, at most count of them, held the same way: a part of a borrowed
    // text is a view of the same kept characters, a part of an owned one a copy.
    TLineText Part(size_t pos, size_t count = std::string_view::npos) const {
        const std::string_view part = view().substr(pos, count);
        return owned_ ? TLineText(part) : Borrowed(part);
    }

    friend bool operator==(const TLineText& text, std::string_view other) {
        return text.view() == other;
    }

  private:
    void Assign(std::string_view text);
    void Release() noexcept {
        if (owned_) delete[] data_;
    }

    static constexpr size_t kSizeMask = ~size_t{0} >> 1;

    // Sixteen bytes in all: a text is kept for every line of a tree.
    const char* data_ = nullptr;
    size_t size_ : 63 = 0;
    size_t owned_ : 1 = 0;
};

std::ostream& operator<<(std::ostream& out, const TLineText& text);

}  // namespace klu
