// Hint text is Windows-1252: conversions, search folding, the hiding substitutions, and the
// flags that appended lines get from in-line commands and automatic breaks.
#include <gtest/gtest.h>

#include "model/document/meta_text_hunk.h"
#include "model/format/decode.h"
#include "model/format/encipher.h"
#include "model/text/text_fold.h"
#include "model/text/text_util.h"
#include "model/text/windows1252.h"
#include "model/web/html_text.h"

namespace klu {
namespace {

TEST(Windows1252, EveryByteComesBackThroughUtf8) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    std::string back;
    ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(all), back));
    EXPECT_EQ(back, all);
    // The euro sign and the five bytes the code page leaves undefined.
    EXPECT_EQ(Windows1252ToUtf8("\x80\x81\x8D\x8F\x90\x9D\xE9"),
              "\u20AC\u0081\u008D\u008F\u0090\u009D\u00E9");
}

TEST(Windows1252, TextItCannotHoldIsAFaultNamingTheCharacter) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Erd\u0151s", "\"\u0151\" (U+0151) has no Windows-1252 byte"},
        {"snow \u2603", "\"\u2603\" (U+2603) has no Windows-1252 byte"},
        {"cut \xC3", "the text is not UTF-8 here"},             // a sequence cut short
        {"over \xC0\xAF", "the text is not UTF-8 here"},        // an overlong "/"
        {"half \xED\xA0\x80", "the text is not UTF-8 here"},    // a surrogate
        {"stray \x80", "the text is not UTF-8 here"},           // a lone continuation byte
    };
    for (const auto& [text, message] : cases) {
        std::string out;
        Utf8Fault fault;
        EXPECT_FALSE(Utf8ToWindows1252(text, out, &fault)) << text;
        EXPECT_EQ(fault.message, message);
        EXPECT_EQ(fault.offset, text.find_first_of("\xC3\xC0\xC5\xE2\xED\x80")) << text;
    }
}

// Markup characters and characters that HTML forbids never reach the page as they are.
TEST(HtmlText, ConvertsWindows1252AndEscapesMarkup) {
    const struct {
        std::string text;
        std::string html;
    } cases[] = {
        {"Caf\xE9 \x80 \x93quoted\x94", "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"<script>a && b</script>", "&lt;script&gt;a &amp;&amp; b&lt;/script&gt;"},
        {"say \"it's\"", "say &quot;it&#39;s&quot;"},
        // Controls and the code page's undefined bytes: the replacement character; a tab stays.
        {std::string("a\0b\x1B\x7F\x81\tc", 8),
         "a\xEF\xBF\xBD"
         "b\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\tc"},
    };
    for (const auto& [text, html] : cases) {
        std::string out;
        AppendHtmlText(out, text);
        EXPECT_EQ(out, html) << text;
    }
}

// Every accented letter of the code page, lower and upper case, comes to its plain capital; the
// letters ae and sharp s and the signs stay.
TEST(FoldForMatch, FoldsCaseAndAccentsByteForByte) {
    EXPECT_EQ(FoldForMatch("\xE0\xE1\xE2\xE3\xE4\xE5\xC0\xC5"), "AAAAAAAA");
    EXPECT_EQ(FoldForMatch("\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"), "CEEEEIIII");
    EXPECT_EQ(FoldForMatch("\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8"), "DNOOOOOO");
    EXPECT_EQ(FoldForMatch("\xF9\xFA\xFB\xFC\xFD\xFF\x9F\x9A\x9E"), "UUUUYYYSZ");
    EXPECT_EQ(FoldForMatch("\xE6\xDF\xF7\xD7 a1?"), "\xC6\xDF\xF7\xD7 A1?");
}

TEST(Decode88, SubstitutesByTheUnsignedByteAndKeepsControlCharacters) {
    EXPECT_EQ(Decode88("AP\xC0\xFF"), "b!\x01\x7F");  // 2*65-32, 2*80-127, 257 and 383 mod 256
    EXPECT_EQ(Decode88("\x10\t"), "\x10\t");
    EXPECT_EQ(Decode88(""), "");
}

TEST(KeyedDecoders, TheKeyAddsTheMixedConstantAndEachDecoderItsOwnPosition) {
    EXPECT_EQ(DeriveTextKey("A"), "?");  // 65 + (118^40) = 159, less 96
    EXPECT_EQ(DeriveTextKey("abcd"), "_F^a");
    EXPECT_EQ(DeriveTextKey("\xE9"), "G");  // title bytes are signed: 0xE9 counts as -23
    EXPECT_EQ(DeriveTextKey(""), "");

    const std::string key = "?";
    EXPECT_EQ(DecodeNestedHint("AB", key), "*,");  // position in the line
    EXPECT_EQ(DecodeTextBlock("AB", key), "*+");   // position in the key
    // A difference below 32 is raised by 96 until it is at least 32: 32-23 -> 105.
    EXPECT_EQ(DecodeNestedHint(" ", key), "i");
    // Stored bytes are signed: 0xC8 is -56, -56-23 = -79 -> 113.
    EXPECT_EQ(DecodeNestedHint("\xC8", key), "q");
    // At position 88, i + 40 = 128 does not fit a signed byte; 63 ^ 128 = 191 and 65 - 191 = -126
    // is raised twice to 66.
    EXPECT_EQ(DecodeNestedHint(std::string(89, 'A'), key)[88], 'B');
    // An empty key leaves the line as stored.
    EXPECT_EQ(DecodeNestedHint("stored", ""), "stored");
    EXPECT_EQ(DecodeTextBlock("stored", ""), "stored");
}

// The decoders work many bytes at a time; a plain decode of one byte after another must agree
// over every stored byte value at positions beyond the widest step and beyond the positions whose
// mixed key a decoder keeps, with keys of every kind, in place and into another buffer.
char Plain88(unsigned char c) {
    return static_cast<char>(c < 32 ? c : c < 80 ? 2 * c - 32 : (2 * c - 127) % 256);
}

char PlainKeyed(char stored, char key_byte, size_t mixed_position) {
    int v = static_cast<signed char>(stored) -
            (static_cast<signed char>(key_byte) ^ static_cast<int>(mixed_position + 40));
    while (v < 32)
        v += 96;
    return static_cast<char>(v);
}

TEST(KeyedDecoders, ManyBytesAtATimeAgreeWithAPlainDecodeOfEachByte) {
    std::vector<size_t> lengths = {4095, 4096, 4097, 9001};
    for (size_t n = 0; n <= 70; ++n)
        lengths.push_back(n);
    for (const size_t key_length : {0, 1, 3, 20, 1024, 1100}) {
        std::string key;
        for (size_t k = 0; k < key_length; ++k)
            key += static_cast<char>(k * 89 + 7);
        const NestedHintDecoder nested(key);
        const TextBlockDecoder text(key);
        for (const size_t n : lengths) {
            SCOPED_TRACE("key of " + std::to_string(key_length) + ", " + std::to_string(n));
            // Exactly n bytes each, so that the sanitizer sees any byte read or written past them.
            std::vector<char> stored(n), want88(n), want_nested(n), want_text(n);
            for (size_t i = 0; i < n; ++i) {
                stored[i] = static_cast<char>(i * 151 + n);  // every byte value in 256 positions
                want88[i] = Plain88(static_cast<unsigned char>(stored[i]));
                const char k = key.empty() ? '\0' : key[i % key_length];
                want_nested[i] = key.empty() ? stored[i] : PlainKeyed(stored[i], k, i);
                want_text[i] = key.empty() ? stored[i] : PlainKeyed(stored[i], k, i % key_length);
            }
            const std::string_view from(stored.data(), n);
            const auto check = [&](const auto& decode, const std::vector<char>& want,
                                   const char* what) {
                std::vector<char> out(n), in_place = stored;
                decode(from, out.data());
                decode(std::string_view(in_place.data(), n), in_place.data());
                EXPECT_EQ(out, want) << what;
                EXPECT_EQ(in_place, want) << what << " in place";
            };
            check([](std::string_view s, char* out) { Decode88Into(s, out); }, want88, "88");
            check([&](std::string_view s, char* out) { nested.Decode(s, out); }, want_nested,
                  "nested");
            check([&](std::string_view s, char* out) { text.Decode(s, out); }, want_text, "text");
        }
    }
}

// The table kept per position gives what the byte-by-byte search gives, also past the positions
// it keeps tables for, and where a byte has no stored form.
TEST(NestedHintEncoder, AgreesWithTheSearchForEachByteAtEveryPosition) {
    for (const std::string key : {"", "K", "Long Game Title"}) {
        NestedHintEncoder encoder(key);
        for (const size_t n : {1, 90, 1100}) {
            // Printable text, which has stored forms, and every byte value, which has not.
            for (const int span : {95, 256}) {
                std::string plain(n, '\0');
                for (size_t i = 0; i < n; ++i)
                    plain[i] = static_cast<char>((span == 95 ? 32 : 0) + (i * 151) % span);
                const auto want = EncodeNestedHint(plain, key);
                std::string got = "kept ";
                const bool encoded = encoder.Append(plain, got);
                EXPECT_EQ(encoded, want.has_value()) << key << " " << n << " " << span;
                EXPECT_EQ(encoder.Encodes(plain), want.has_value());
                if (want && encoded) {
                    EXPECT_EQ(got, "kept " + *want);
                }
            }
        }
    }
}

// Each appended child as "text|hard break, ends source line, alternate font".
std::vector<std::string> Append(MetaTextHunk& hunk, const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        hunk.AddChild(new HunkLine(line));
    std::vector<std::string> out;
    for (const KLUObject* c : hunk.children) {
        out.push_back(c->title.str() + "|" + std::to_string(c->hardBreak) +
                      std::to_string(c->endsSourceLine) + std::to_string(c->altFont));
    }
    return out;
}
std::vector<std::string> Append(const std::vector<std::string>& lines) {
    MetaTextHunk hunk("test", nullptr, COMMENT);
    return Append(hunk, lines);
}

TEST(AutomaticBreaks, ShortLinesEndThemselvesAndOneCharacterLinesTheLineBeforeToo) {
    const std::string a19(19, 'a'), b20(20, 'b'), c30(30, 'c');
    // Nineteen characters end a line and twenty do not; empty lines are dropped.
    EXPECT_EQ(Append({a19, b20, "", b20}),
              (std::vector<std::string>{a19 + "|110", b20 + "|010", b20 + "|010"}));
    EXPECT_EQ(Append({c30, " ", c30}),
              (std::vector<std::string>{c30 + "|110", " |110", c30 + "|010"}));
    // A hunk appended breaks itself and the line before.
    MetaTextHunk hunk("test", nullptr, SUBJECT);
    hunk.AddChild(new HunkLine(c30));
    hunk.AddChild(new MetaTextHunk("child", &hunk, HINT));
    ASSERT_EQ(hunk.children.size(), 2u);
    EXPECT_EQ(hunk.children[0]->hardBreak, 1);
    EXPECT_EQ(hunk.children[1]->hardBreak, 1);
}

TEST(Markup, DoubledHashStandsForOneAndCommandsCutLinesIntoPieces) {
    // A command was present, so a short line is not broken by the automatic rule.
    EXPECT_EQ(Append({"Press ## then #5 and #"}),
              std::vector<std::string>{"Press # then #5 and #|010"});
    // A piece does not end its source line; the one after "#p-" is in the alternate font.
    EXPECT_EQ(Append({"Before the cut #p- after the cut"}),
              (std::vector<std::string>{"Before the cut |000", " after the cut|011"}));
    // A "#" too far from its sign is no command.
    EXPECT_EQ(Append({"#ab+ stays as it is written here"}),
              std::vector<std::string>{"#ab+ stays as it is written here|010"});
    // An empty piece before a command unjoins the previous line.
    EXPECT_EQ(Append({"a long first line of body text", "#p-continued in the other font"}),
              (std::vector<std::string>{"a long first line of body text|000",
                                        "continued in the other font|011"}));
}

TEST(Markup, ASeparatorChangedInOneHunkStaysAsItWasInAnother) {
    // Loaded trees share their separators; an empty piece unjoins the separator before it.
    MetaTextHunk plain("plain", nullptr, HINT), cut("cut", nullptr, HINT);
    for (MetaTextHunk* hunk : {&plain, &cut}) {
        hunk->AddChild(new HunkLine("a long first hint of the question"));
        hunk->AppendSeparator(true);
    }
    cut.AddChild(new HunkLine("#p-the second hint in the other font"));
    EXPECT_EQ(FlagLetters(*plain.children.at(1)), "HSWE");
    EXPECT_EQ(FlagLetters(*cut.children.at(1)), "HSW");
}

// Lines are searched for the command sign many bytes at a time: the sign counts at every place
// of a line of any length, and a sign just outside the line does not.
TEST(Markup, TheCommandSignIsFoundAtEveryPlaceAndNowhereElse) {
    for (size_t size = 0; size <= 40; ++size) {
        std::string buffer(size + 2, '#');
        const std::string_view line(buffer.data() + 1, size);
        std::fill(buffer.begin() + 1, buffer.end() - 1, 'a');
        EXPECT_FALSE(ContainsByte(line, '#')) << size;
        for (size_t at = 0; at < size; ++at) {
            buffer[1 + at] = '#';
            EXPECT_TRUE(ContainsByte(line, '#')) << size << " at " << at;
            buffer[1 + at] = 'a';
        }
    }
}

}  // namespace
}  // namespace klu
