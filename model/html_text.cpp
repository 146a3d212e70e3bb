#include "html_text.h"

#include "windows1252.h"

namespace klu {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Gives true after appending the escaped form of a character that needs one.
bool AppendEscaped(std::string& out, unsigned char byte) {
    switch (byte) {
        case '&': out += "&amp;"; return true;
        case '<': out += "&lt;"; return true;
        case '>': out += "&gt;"; return true;
        case '"': out += "&quot;"; return true;
        case '\'': out += "&#39;"; return true;
        default: break;
    }
    if ((byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7F) {
        AppendUtf8(out, kReplacement);
        return true;
    }
    return false;
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (AppendEscaped(out, byte)) continue;
        const char16_t character = Windows1252Char(byte);
        // The five undefined bytes map to C1 controls, which HTML does not allow either.
        AppendUtf8(out, character >= 0x80 && character < 0xA0 ? kReplacement : character);
    }
}

void AppendHtmlUtf8(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (!AppendEscaped(out, static_cast<unsigned char>(c))) out += c;
    }
}

}  // namespace klu
