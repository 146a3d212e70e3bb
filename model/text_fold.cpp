#include "text_fold.h"

#include "text_util.h"

namespace klu {
namespace {

// The letter an upper-case accented letter is written with; other bytes stay.
char WithoutAccent(char upper) {
    const auto c = static_cast<unsigned char>(upper);
    if (c >= 0xC0 && c <= 0xC5) return 'A';
    if (c >= 0xC8 && c <= 0xCB) return 'E';
    if (c >= 0xCC && c <= 0xCF) return 'I';
    if ((c >= 0xD2 && c <= 0xD6) || c == 0xD8) return 'O';
    if (c >= 0xD9 && c <= 0xDC) return 'U';
    switch (c) {
        case 0xC7:
            return 'C';
        case 0xD0:
            return 'D';
        case 0xD1:
            return 'N';
        case 0xDD:
        case 0x9F:
            return 'Y';
        case 0x8A:
            return 'S';
        case 0x8E:
            return 'Z';
        default:
            return upper;
    }
}

}  // namespace

std::string FoldForMatch(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = WithoutAccent(FoldCase(c));
    return folded;
}

}  // namespace klu
