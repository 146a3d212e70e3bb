#include "model/document/line_text.h"

#include <cstring>
#include <ostream>
#include <utility>

namespace klu {

static_assert(sizeof(LineText) == sizeof(void*) + sizeof(uint32_t));

void LineText::Assign(std::string_view text) {
    if (text.empty()) {
        bits_ = 0;
        data_ = nullptr;
        return;
    }
    const uint32_t size = CheckedSize(text.size());
    char* copy = new char[text.size()];
    std::memcpy(copy, text.data(), text.size());
    bits_ = size | kOwnedBit;
    data_ = copy;
}

LineText& LineText::operator=(const LineText& other) {
    if (this != &other) *this = LineText(other);
    return *this;
}

std::ostream& operator<<(std::ostream& out, const LineText& text) {
    return out << text.view();
}

}  // namespace klu
