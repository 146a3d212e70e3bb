// Outline text is UTF-8, hint text Windows-1252: the conversion both ways and at its edges.
#include "model/text/windows1252.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace klu
