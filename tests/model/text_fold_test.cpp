#include <gtest/gtest.h>

#include "model/text/text_fold.h"

namespace klu {
namespace {

// Windows-1252 bytes: every accented letter of the code page, lower and upper case, comes to its
// plain capital; the letters ae and sharp s and the signs stay.
TEST(FoldForMatch, FoldsCaseAndAccentsByteForByte) {
    EXPECT_EQ(FoldForMatch("\xE0\xE1\xE2\xE3\xE4\xE5\xC0\xC5"), "AAAAAAAA");
    EXPECT_EQ(FoldForMatch("\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"), "CEEEEIIII");
    EXPECT_EQ(FoldForMatch("\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8"), "DNOOOOOO");
    EXPECT_EQ(FoldForMatch("\xF9\xFA\xFB\xFC\xFD\xFF\x9F\x9A\x9E"), "UUUUYYYSZ");
    EXPECT_EQ(FoldForMatch("\xE6\xDF\xF7\xD7 a1?"), "\xC6\xDF\xF7\xD7 A1?");
}

}  // namespace
}  // namespace klu
