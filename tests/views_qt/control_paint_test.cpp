// What the control draws: text and links in their colours, only the visible children.
#include <QImage>
#include <cstdlib>

#include "control_fixture.h"

namespace klu::test {
namespace {

// Counts the pixels of the image that are clearly of the colour (anti-aliased edges aside).
int PixelsNear(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 60 &&
                std::abs(c.green() - colour.green()) < 60 &&
                std::abs(c.blue() - colour.blue()) < 60) {
                ++count;
            }
        }
    }
    return count;
}

class ControlPaintTest : public ControlTest {
  protected:
    ControlPaintTest() {
        AddLine("Plain text in the text colour.");
        question = AddQuestion("A link in the link colour");
        separator = AddLine("-");
        separator->isSeparator = 1;
        fixed = AddLine("A line in the fixed font.");
        fixed->altFont = 1;
        Show(360, 200);
        Settings settings;
        settings.mainFont = {"Arial", 14, 700, false};
        settings.fixedFont = FixedFontOf(settings.mainFont);
        settings.linkColor = 0x000000FF;  // red, as a colour value of the settings
        control->ApplySettings(settings);
        control->SetTextColor(Qt::darkGreen);
    }
    QImage Grab() const { return control->viewport()->grab().toImage(); }

    const TWrapInfo& FragmentOf(const TKLUObject* object) const {
        for (const TWrapInfo& f : control->Fragments()) {
            if (f.object == object) return f;
        }
        ADD_FAILURE() << "not laid out";
        return control->Fragments().front();
    }

    TMetaTextHunk* question = nullptr;
    TKLUObject* separator = nullptr;
    TKLUObject* fixed = nullptr;
};

TEST_F(ControlPaintTest, TextAndLinksTakeTheirColours) {
    EXPECT_EQ(control->LinkColor(), QColor(Qt::red));
    control->setFocus();
    QTest::keyClick(control.get(), Qt::Key_Tab);  // a focus rectangle round the link
    ASSERT_TRUE(control->hasFocus());
    const QImage image = Grab();
    if (const char* path = std::getenv("KLU_CONTROL_SHOT")) image.save(path);
    EXPECT_GT(PixelsNear(image, Qt::red), 20);
    EXPECT_GT(PixelsNear(image, Qt::darkGreen), 20);
}

TEST_F(ControlPaintTest, FocusRectangleIsDrawnRoundTheCurrentLinkOnly) {
    control->setFocus();
    const QImage before = Grab();
    QTest::keyClick(control.get(), Qt::Key_Tab);
    ASSERT_EQ(control->CurrentLink(), question);
    const QImage after = Grab();
    const TWrapInfo& f = FragmentOf(question);
    const QRect around = QRect(QPoint(f.left, f.top), QPoint(f.right - 1, f.bottom - 1));
    int changed = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y)) continue;
            ++changed;
            EXPECT_TRUE(around.contains(x, y)) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 0);
}

TEST_F(ControlPaintTest, HiddenChildrenAreNotPainted) {
    control->SetVisibleCount(1);
    const QImage image = Grab();
    EXPECT_EQ(PixelsNear(image, Qt::red), 0);
    EXPECT_GT(PixelsNear(image, Qt::darkGreen), 20);
    control->SetVisibleCount(0);
    EXPECT_EQ(PixelsNear(Grab(), Qt::darkGreen), 0);
}

TEST_F(ControlPaintTest, SeparatorIsARuleEightPixelsFromEachSide) {
    const TWrapInfo& f = FragmentOf(separator);
    const int y = f.top + control->LineHeight() / 2;
    const QImage image = Grab();
    const QColor rule = control->palette().color(QPalette::WindowText);
    int inside = 0;
    for (int x = 0; x < image.width(); ++x) {
        const bool drawn = image.pixelColor(x, y) == rule;
        if (x >= kLayoutMargin && x <= image.width() - kLayoutMargin) {
            inside += drawn ? 1 : 0;
        } else {
            EXPECT_FALSE(drawn) << x;
        }
    }
    EXPECT_EQ(inside, image.width() - 2 * kLayoutMargin + 1);
}

TEST_F(ControlPaintTest, AlternateFontLinesAreMeasuredInTheFixedFont) {
    const TWrapInfo& f = FragmentOf(fixed);
    const QFontMetrics metrics(control->FixedFont());
    const int space = metrics.horizontalAdvance(QChar(' '));
    EXPECT_EQ(f.right - f.left, metrics.horizontalAdvance("A line in the fixed font.") + space);
}

TEST_F(ControlPaintTest, FontsComeFromTheSettings) {
    EXPECT_EQ(control->NormalFont().pointSize(), 14);
    EXPECT_TRUE(control->NormalFont().bold());
    EXPECT_EQ(control->FixedFont().family(), QString("Courier New"));
    EXPECT_EQ(control->LineHeight(), QFontMetrics(control->NormalFont()).lineSpacing());
}

TEST(ColorFromColorRef, RedIsTheLowByte) {
    EXPECT_EQ(ColorFromColorRef(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromColorRef(0x00FF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromColorRef(0x00123456), QColor(0x56, 0x34, 0x12));
}

}  // namespace
}  // namespace klu::test
