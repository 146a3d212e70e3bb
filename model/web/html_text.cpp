#include "model/web/html_text.h"

#include <array>

#include "model/text/windows1252.h"

namespace klu {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// What a byte becomes in the page; empty where the byte stays as it is. kept says the same in
// a form that is quick to scan.
struct ByteTable {
    std::array<std::string, 256> replacement;
    std::array<bool, 256> kept{};
    std::string& operator[](size_t byte) { return replacement[byte]; }
    void Seal() {
        for (size_t byte = 0; byte < 256; ++byte)
            kept[byte] = replacement[byte].empty();
    }
};

void AddEscapes(ByteTable& table) {
    table['&'] = "&amp;";
    table['<'] = "&lt;";
    table['>'] = "&gt;";
    table['"'] = "&quot;";
    table['\''] = "&#39;";
    for (int byte = 0; byte < 0x20; ++byte) {
        if (byte != '\t' && byte != '\n') AppendUtf8(table[byte], kReplacement);
    }
    AppendUtf8(table[0x7F], kReplacement);
}

const ByteTable& Windows1252Table() {
    static const ByteTable table = [] {
        ByteTable made;
        AddEscapes(made);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char16_t character = Windows1252Char(static_cast<unsigned char>(byte));
            // The five undefined bytes map to C1 controls, which HTML does not allow either.
            AppendUtf8(made[byte], character < 0xA0 ? kReplacement : character);
        }
        made.Seal();
        return made;
    }();
    return table;
}

const ByteTable& Utf8Table() {
    static const ByteTable table = [] {
        ByteTable made;
        AddEscapes(made);
        made.Seal();
        return made;
    }();
    return table;
}

// Runs of bytes that stay as they are are copied whole: most hint text is plain ASCII.
void AppendThrough(std::string& out, std::string_view text, const ByteTable& table) {
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (table.kept[byte]) continue;
        out.append(text.data() + kept, i - kept);
        out += table.replacement[byte];
        kept = i + 1;
    }
    out.append(text.data() + kept, text.size() - kept);
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view text) {
    AppendThrough(out, text, Windows1252Table());
}

void AppendHtmlUtf8(std::string& out, std::string_view text) {
    AppendThrough(out, text, Utf8Table());
}

}  // namespace klu
