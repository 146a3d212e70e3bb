// Hint text in the web page: Windows-1252 bytes become UTF-8, markup characters and characters
// that HTML forbids never reach the page as they are.
#include <gtest/gtest.h>

#include "model/web/html_text.h"

namespace klu {
namespace {

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

}  // namespace
}  // namespace klu
