#include "model/text/text_fold.h"

#include "model/text/text_util.h"

namespace klu {
namespace {

// The plain letter of each accented upper-case letter of Windows-1252, or 0.
struct PlainTable {
    char map[256];
    constexpr PlainTable() : map() {
        const auto set = [this](int first, int last, char plain) {
            for (int c = first; c <= last; ++c)
                map[c] = plain;
        };
        set(0x8A, 0x8A, 'S');  // S caron
        set(0x8E, 0x8E, 'Z');  // Z caron
        set(0x9F, 0x9F, 'Y');  // Y diaeresis
        set(0xC0, 0xC5, 'A');
        set(0xC7, 0xC7, 'C');
        set(0xC8, 0xCB, 'E');
        set(0xCC, 0xCF, 'I');
        set(0xD0, 0xD0, 'D');  // eth
        set(0xD1, 0xD1, 'N');
        set(0xD2, 0xD6, 'O');
        set(0xD8, 0xD8, 'O');
        set(0xD9, 0xDC, 'U');
        set(0xDD, 0xDD, 'Y');
    }
};
constexpr PlainTable kPlain;

}  // namespace

char FoldForMatch(char c) {
    const char upper = FoldCase(c);
    const char plain = kPlain.map[static_cast<unsigned char>(upper)];
    return plain != 0 ? plain : upper;
}

std::string FoldForMatch(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = FoldForMatch(c);
    return folded;
}

}  // namespace klu
