#include "model/text/windows1252.h"

#include <array>
#include <cstdio>

namespace klu {
namespace {

// 0x80 to 0x9F: where Windows-1252 differs from Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// The code point that starts at text[at] and its length in bytes; length 0 for bytes that are
// not well-formed UTF-8 (a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate or a value beyond U+10FFFF).
std::pair<char32_t, size_t> NextCodePoint(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return {0, 0};
    }
    if (text.size() - at < length) return {0, 0};
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return {0, 0};
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {0, 0};
    return {value, length};
}

}  // namespace

char16_t Windows1252Char(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
    return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int Windows1252Byte(char32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
        return static_cast<int>(code_point);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code_point) return static_cast<int>(0x80 + i);
    }
    return -1;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        AppendUtf8(out, Windows1252Char(static_cast<unsigned char>(c)));
    return out;
}

bool Utf8ToWindows1252(std::string_view utf8, std::string& out, Utf8Fault* fault) {
    out.clear();
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const auto [code_point, length] = NextCodePoint(utf8, at);
        const int byte = length == 0 ? -1 : Windows1252Byte(code_point);
        if (byte < 0) {
            if (fault) {
                fault->offset = at;
                if (length == 0) {
                    fault->message = "the text is not UTF-8 here";
                } else {
                    char number[16];
                    std::snprintf(number, sizeof number, "U+%04X",
                                  static_cast<unsigned>(code_point));
                    fault->message = "\"" + std::string(utf8.substr(at, length)) + "\" (" +
                                     number + ") has no Windows-1252 byte";
                }
            }
            return false;
        }
        out += static_cast<char>(byte);
        at += length;
    }
    return true;
}

}  // namespace klu
