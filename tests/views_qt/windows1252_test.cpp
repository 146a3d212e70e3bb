// Hint text bytes as Unicode for drawing and measuring.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>

#include "views/qt_text_measurer.h"
#include "views/windows1252.h"

namespace klu {
namespace {

TEST(FromWindows1252, HighBytesTakeTheirCodePageCharacters) {
    EXPECT_EQ(FromWindows1252("\x80"), QString(QChar(0x20AC)));  // euro sign
    EXPECT_EQ(FromWindows1252("\x92"), QString(QChar(0x2019)));  // right single quote
    EXPECT_EQ(FromWindows1252("\xE9"), QString(QChar(0x00E9)));  // e acute
    EXPECT_EQ(FromWindows1252("It\x92s caf\xE9 \x80"
                              "5"),
              QString::fromUtf8("It\u2019s caf\u00e9 \u20ac5"));
}

TEST(FromWindows1252, EveryByteGivesOneCharacter) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = FromWindows1252(all);
    ASSERT_EQ(text.size(), 255);
    for (int b = 1; b < 256; ++b) {
        const char16_t expected = Windows1252Char(static_cast<unsigned char>(b));
        EXPECT_EQ(text[b - 1].unicode(), expected) << b;
        // Outside 0x80..0x9F the code page agrees with Latin-1.
        if (b < 0x80 || b > 0x9F) {
            EXPECT_EQ(expected, b) << b;
        }
    }
}

TEST(FromWindows1252, ControlRangeMapsAwayFromC1ExceptUndefinedBytes) {
    int defined = 0;
    for (int b = 0x80; b <= 0x9F; ++b) {
        const char16_t c = Windows1252Char(static_cast<unsigned char>(b));
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        if (undefined) {
            EXPECT_EQ(c, b) << b;
        } else {
            EXPECT_GT(c, 0xFF) << b;
            ++defined;
        }
    }
    EXPECT_EQ(defined, 27);
    EXPECT_EQ(Windows1252Char(0x8A), 0x0160);
    EXPECT_EQ(Windows1252Char(0x9F), 0x0178);
    EXPECT_EQ(Windows1252Char(0x96), 0x2013);
}

TEST(QtTextMeasurer, MeasuresTheConvertedText) {
    const QFont normal = QGuiApplication::font();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QtTextMeasurer measurer(normal, fixed);
    const QFontMetrics metrics(normal);
    EXPECT_EQ(measurer.TextWidth("caf\xE9 \x80", TextFont::Normal),
              metrics.horizontalAdvance(QString::fromUtf8("caf\u00e9 \u20ac")));
    EXPECT_EQ(measurer.TextWidth("", TextFont::Normal), 0);
    EXPECT_EQ(measurer.TextWidth("iiii", TextFont::Fixed),
              measurer.TextWidth("MMMM", TextFont::Fixed));
    EXPECT_EQ(measurer.LineHeight(), metrics.lineSpacing());
    EXPECT_EQ(measurer.AverageCharWidth(TextFont::Normal), metrics.averageCharWidth());
}

TEST(ScreenFontOf, TakesFaceSizeWeightAndSlant) {
    const QFont font = ScreenFontOf({"Courier New", 11, 700, true});
    EXPECT_EQ(font.family(), QString("Courier New"));
    EXPECT_EQ(font.pointSize(), 11);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    const QFont empty = ScreenFontOf({});
    EXPECT_EQ(empty.family(), QGuiApplication::font().family());
    EXPECT_FALSE(empty.italic());
}

}  // namespace
}  // namespace klu
