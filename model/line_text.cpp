#include "line_text.h"

#include <cstring>
#include <ostream>
#include <utility>

namespace klu {

static_assert(sizeof(TLineText) == sizeof(void*) + sizeof(uint32_t));

void TLineText::Assign(std::string_view text) {
    if (text.empty()) {
        data_ = nullptr;
        bits_ = 0;
        return;
    }
    const uint32_t size = CheckedSize(text.size());
    char* copy = new char[text.size()];
    std::memcpy(copy, text.data(), text.size());
    data_ = copy;
    bits_ = size | kOwnedBit;
}

TLineText& TLineText::operator=(const TLineText& other) {
    if (this != &other) *this = TLineText(other);
    return *this;
}

TLineText& TLineText::operator=(TLineText&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = other.data_;
        other.data_ = nullptr;
        bits_ = other.bits_;
        other.bits_ = 0;
    }
    return *this;
}

std::ostream& operator<<(std::ostream& out, const TLineText& text) {
    return out << text.view();
}

}  // namespace klu
