// Hint text is Windows-1252: UTF-8 outlines both ways, the web page's escaped UTF-8, and the
// folding that search matches by.
#include <gtest/gtest.h>

#include "model/text/text_fold.h"
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

}  // namespace
}  // namespace klu
