#include "line_text.h"

#include <cstring>
#include <ostream>
#include <utility>

namespace klu {

static_assert(sizeof(TLineText) == 2 * sizeof(void*));

void TLineText::Assign(std::string_view text) {
    if (text.empty()) {
        data_ = nullptr;
        size_ = 0;
        owned_ = 0;
        return;
    }
    char* copy = new char[text.size()];
    std::memcpy(copy, text.data(), text.size());
    data_ = copy;
    size_ = text.size() & kSizeMask;
    owned_ = 1;
}

TLineText& TLineText::operator=(const TLineText& other) {
    if (this != &other) *this = TLineText(other);
    return *this;
}

TLineText& TLineText::operator=(TLineText&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = other.size_;
        owned_ = other.owned_;
        other.size_ = 0;
        other.owned_ = 0;
    }
    return *this;
}

std::ostream& operator<<(std::ostream& out, const TLineText& text) {
    return out << text.view();
}

}  // namespace klu
