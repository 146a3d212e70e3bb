// The text control: links by keyboard and mouse, scrolling, what it draws, and what assistive
// technology sees of it; hint text bytes as Unicode for drawing and measuring.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "model/hunk_ui.h"
#include "model/meta_text_hunk.h"
#include "views/qt_text_measurer.h"
#include "views/string_control.h"
#include "views/text_control_accessible.h"
#include "views/windows1252.h"

namespace klu::test {
namespace {

// Records what the model asks the windows to do.
class RecordingHunkUi : public HunkUi {
  public:
    void OpenWindow(THunk& hunk) override { opened.push_back(&hunk); }
    void ShowUnknownData(THunk&) override {}
    void ShowOverlay(TOverlayHunk&) override {}
    void OfferGifSave(TGIFaHunk&) override {}
    void PlaySound(TSoundHunk&) override {}
    void CloseView(THunk&) override {}
    std::vector<THunk*> opened;
};

// A subject whose children are lines and questions, as the parser lays them out: every child
// ends its line unless asked otherwise.
class ControlTest : public ::testing::Test {
  protected:
    ControlTest() : root("Subject", nullptr, SUBJECT) { SetHunkUi(&ui); }
    ~ControlTest() override { SetHunkUi(nullptr); }

    template <class T = THunkLine>
    T* Add(T* child, bool hard_break = true) {
        child->hardBreak = hard_break;
        child->endsSourceLine = 1;
        root.children.push_back(child);
        return child;
    }
    THunkLine* AddLine(std::string text, bool hard_break = true) {
        return Add(new THunkLine(std::move(text), &root), hard_break);
    }
    TMetaTextHunk* AddQuestion(std::string title) {
        return Add(new TMetaTextHunk(std::move(title), &root, HINT));
    }

    // Shows the control at a fixed size, active and focused.
    TStringControl& Show(int width = 320, int height = 240) {
        control = std::make_unique<TStringControl>(nullptr, root);
        control->resize(width, height);
        control->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(control.get()));
        control->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(control.get()));
        control->setFocus();
        return *control;
    }
    const TWrapInfo& FragmentOf(const TKLUObject* object) const {
        for (const TWrapInfo& f : control->Fragments())
            if (f.object == object) return f;
        ADD_FAILURE() << "no fragment for " << object->GetName();
        return control->Fragments().front();
    }
    // The middle of the first fragment of the object, in viewport coordinates.
    QPoint CentreOf(const TKLUObject* object) const {
        const TWrapInfo& f = FragmentOf(object);
        return QPoint((f.left + f.right) / 2, (f.top + f.bottom) / 2) -
               QPoint(control->horizontalScrollBar()->value(),
                      control->verticalScrollBar()->value());
    }
    void Click(QPoint point) { QTest::mouseClick(control->viewport(), Qt::LeftButton, {}, point); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(control.get(), key, modifiers);
    }
    // Moves the mouse over the viewport without a button and gives the cursor it shows.
    Qt::CursorShape CursorAt(QPoint point) {
        QMouseEvent move(QEvent::MouseMove, QPointF(point), control->viewport()->mapToGlobal(point),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control->viewport(), &move);
        return control->viewport()->cursor().shape();
    }
    QImage Grab() const { return control->viewport()->grab().toImage(); }

    RecordingHunkUi ui;
    TMetaTextHunk root;
    std::unique_ptr<TStringControl> control;
};

class ControlLinksTest : public ControlTest {
  protected:
    ControlLinksTest() {
        intro = AddLine("Some words first.");
        first = AddQuestion("First question");
        AddLine("Between the two.");
        last = AddQuestion("Last question");
        Show();
    }
    TKLUObject* intro = nullptr;
    TMetaTextHunk* first = nullptr;
    TMetaTextHunk* last = nullptr;
};

TEST_F(ControlLinksTest, TabAndShiftTabWalkTheLinksWrapAroundAndEnterOpens) {
    EXPECT_EQ(control->CurrentLink(), nullptr);
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), first);
    Key(Qt::Key_Return);
    EXPECT_EQ(ui.opened, std::vector<THunk*>{first});
    EXPECT_TRUE(control->hasFocus()) << "Tab stayed inside the control";
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), last);
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), first);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(control->CurrentLink(), last);
    Key(Qt::Key_Enter);
    EXPECT_EQ(ui.opened, (std::vector<THunk*>{first, last}));

    Show();  // from the start, Shift+Tab selects the last link
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(control->CurrentLink(), last);
}

TEST_F(ControlLinksTest, TheOwnerTakesTheFocusPastTheLinksAndSpaceAndEscape) {
    std::vector<bool> asked;
    control->SetFocusButton([&](bool forward) {
        asked.push_back(forward);
        return true;
    });
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);  // past the last link: the button takes the focus
    EXPECT_EQ(control->CurrentLink(), nullptr);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);  // before the first link
    EXPECT_EQ(control->CurrentLink(), nullptr);
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));

    // Space opens the link, unless the owner has a default action; Esc asks the owner to close.
    Key(Qt::Key_Tab);
    Key(Qt::Key_Space);
    EXPECT_EQ(ui.opened, std::vector<THunk*>{first});
    int actions = 0, closes = 0;
    control->SetDefaultAction([&] { ++actions; });
    control->SetCloseWindow([&] { ++closes; });
    Key(Qt::Key_Space);
    Key(Qt::Key_Escape);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(ui.opened.size(), 1u);
}

TEST_F(ControlLinksTest, HiddenChildrenAreSkippedNotLaidOutNotClickable) {
    EXPECT_EQ(control->SelectPrevLink(-2), last);  // -2: from the end
    const QPoint where_last_was = CentreOf(last);
    control->SetVisibleCount(3);
    EXPECT_EQ(control->SelectPrevLink(-2), first);
    EXPECT_EQ(control->SelectNextLink(2), first);  // wrapped: the last link is hidden
    for (const TWrapInfo& f : control->Fragments())
        EXPECT_NE(f.object, last);
    ASSERT_EQ(control->Links().size(), 1u);
    EXPECT_EQ(control->Links()[0].target, first);
    EXPECT_EQ(CursorAt(where_last_was), Qt::ArrowCursor);
    Click(where_last_was);
    EXPECT_TRUE(ui.opened.empty());

    control->SetVisibleCount(1);
    EXPECT_EQ(control->SelectNextLink(0), nullptr);
    EXPECT_EQ(control->SelectPrevLink(-2), nullptr);
    control->SetVisibleCount(4);
    Click(CentreOf(last));
    EXPECT_EQ(ui.opened, std::vector<THunk*>{last});
}

TEST_F(ControlLinksTest, ClickOpensTheLinkUnderTheMouseWhichShowsAHand) {
    Click(CentreOf(last));
    Click(CentreOf(first));
    EXPECT_EQ(ui.opened, (std::vector<THunk*>{last, first}));
    Click(CentreOf(intro));
    Click(QPoint(control->viewport()->width() - 5, control->viewport()->height() - 5));
    EXPECT_EQ(ui.opened.size(), 2u);

    EXPECT_EQ(CursorAt(CentreOf(first)), Qt::PointingHandCursor);
    EXPECT_EQ(CursorAt(CentreOf(intro)), Qt::ArrowCursor);
    EXPECT_EQ(CursorAt(CentreOf(last)), Qt::PointingHandCursor);
    EXPECT_EQ(CursorAt(QPoint(2, 2)), Qt::ArrowCursor);
}

TEST_F(ControlLinksTest, ResizeLaysOutAgainAndClicksFollowTheScrollPosition) {
    const TSize wide = control->DocumentSize();
    const size_t wide_fragments = control->Fragments().size();
    control->resize(120, 240);
    QCoreApplication::processEvents();
    EXPECT_GT(control->Fragments().size(), wide_fragments);
    EXPECT_GT(control->DocumentSize().height, wide.height);
    for (const TWrapInfo& f : control->Fragments()) {
        // A fragment may overflow only when it is a single word at the start of a line.
        if (f.left > kLayoutMargin) {
            EXPECT_LE(f.right, control->viewport()->width());
        }
    }

    control->resize(320, 40);
    QCoreApplication::processEvents();
    ASSERT_GT(control->verticalScrollBar()->maximum(), 0);
    control->verticalScrollBar()->setValue(control->verticalScrollBar()->maximum());
    Click(CentreOf(last));
    EXPECT_EQ(ui.opened, std::vector<THunk*>{last});
}

TEST_F(ControlTest, TabWithoutAFocusedLinkStartsAtTheSecondChild) {
    TMetaTextHunk* a = AddQuestion("First");
    TMetaTextHunk* b = AddQuestion("Second");
    Show();
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), b);
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), a);
}

TEST_F(ControlTest, KeysScrollTenPixelsPagesOfWholeLinesTheEndsAndToTheFocusedLink) {
    for (int i = 0; i < 40; ++i)
        AddLine("Line number " + std::to_string(i));
    TMetaTextHunk* target = AddQuestion("The question at the bottom");
    Show(300, 150);
    auto top = [this] { return control->verticalScrollBar()->value(); };
    const int line = control->LineHeight();
    const int height = control->viewport()->height();
    const int page = height - height % line - line;
    ASSERT_GT(page, 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(top(), 10);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    EXPECT_EQ(top(), 10);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(top(), 10 + page);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(top(), 10);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(top(), 0);  // held at the top
    Key(Qt::Key_End);
    EXPECT_EQ(top(), control->DocumentSize().height - height);
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    EXPECT_EQ(control->horizontalScrollBar()->value(), 0);
    Key(Qt::Key_Home);
    EXPECT_EQ(top(), 0);

    Key(Qt::Key_Tab);
    ASSERT_EQ(control->CurrentLink(), target);
    const TWrapInfo& f = FragmentOf(target);
    EXPECT_GT(top(), 0);
    EXPECT_GE(f.top, top());
    EXPECT_LE(f.bottom, top() + height);
}

// Counts the pixels of the image that are clearly of the colour (anti-aliased edges aside).
int PixelsNear(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) < 60 &&
                     std::abs(c.green() - colour.green()) < 60 &&
                     std::abs(c.blue() - colour.blue()) < 60;
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
    TMetaTextHunk* question = nullptr;
    TKLUObject* separator = nullptr;
    TKLUObject* fixed = nullptr;
};

TEST_F(ControlPaintTest, TextLinksAndTheRuleTakeTheirColoursHiddenChildrenNone) {
    EXPECT_EQ(control->LinkColor(), QColor(Qt::red));
    const QImage image = Grab();
    if (const char* path = std::getenv("KLU_CONTROL_SHOT")) image.save(path);
    EXPECT_GT(PixelsNear(image, Qt::red), 20);
    EXPECT_GT(PixelsNear(image, Qt::darkGreen), 20);
    // The separator is a rule eight pixels from each side, at mid-line.
    const int y = FragmentOf(separator).top + control->LineHeight() / 2;
    const QColor rule = control->palette().color(QPalette::WindowText);
    int inside = 0;
    for (int x = 0; x < image.width(); ++x) {
        const bool drawn = image.pixelColor(x, y) == rule;
        if (x >= kLayoutMargin && x <= image.width() - kLayoutMargin)
            inside += drawn;
        else
            EXPECT_FALSE(drawn) << x;
    }
    EXPECT_EQ(inside, image.width() - 2 * kLayoutMargin + 1);

    control->SetVisibleCount(1);
    EXPECT_EQ(PixelsNear(Grab(), Qt::red), 0);
    EXPECT_GT(PixelsNear(Grab(), Qt::darkGreen), 20);
    control->SetVisibleCount(0);
    EXPECT_EQ(PixelsNear(Grab(), Qt::darkGreen), 0);
}

TEST_F(ControlPaintTest, FocusRectangleIsDrawnRoundTheCurrentLinkOnly) {
    const QImage before = Grab();
    Key(Qt::Key_Tab);
    ASSERT_EQ(control->CurrentLink(), question);
    const QImage after = Grab();
    const TWrapInfo& f = FragmentOf(question);
    const QRect around(QPoint(f.left, f.top), QPoint(f.right - 1, f.bottom - 1));
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

TEST_F(ControlPaintTest, FontsComeFromTheSettingsAndFixedLinesAreMeasuredInTheirs) {
    EXPECT_EQ(control->NormalFont().pointSize(), 14);
    EXPECT_TRUE(control->NormalFont().bold());
    EXPECT_EQ(control->FixedFont().family(), QString("Courier New"));
    EXPECT_EQ(control->LineHeight(), QFontMetrics(control->NormalFont()).lineSpacing());
    const TWrapInfo& f = FragmentOf(fixed);
    const QFontMetrics metrics(control->FixedFont());
    EXPECT_EQ(f.right - f.left, metrics.horizontalAdvance("A line in the fixed font.") +
                                    metrics.horizontalAdvance(' '));
    // A colour value of the settings has red in its low byte.
    EXPECT_EQ(ColorFromColorRef(0x00123456), QColor(0x56, 0x34, 0x12));
}

class ControlAccessibleTest : public ControlTest {
  protected:
    ControlAccessibleTest() {
        AddLine("Start", false);
        AddLine("here.");
        AddQuestion("Where\x92s the key?");
        AddLine("Caf\xE9 talk.");
        second = AddQuestion("Second question");
        Show();
        accessible = QAccessible::queryAccessibleInterface(control.get());
    }
    TMetaTextHunk* second = nullptr;
    QAccessibleInterface* accessible = nullptr;
};

TEST_F(ControlAccessibleTest, TextIsTheVisibleChildrenInOrder) {
    ASSERT_NE(accessible, nullptr);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    const QString expected =
        QString::fromUtf8("Start here.\nWhere\u2019s the key?\nCaf\u00e9 talk.\nSecond question");
    EXPECT_EQ(text->characterCount(), expected.size());
    EXPECT_EQ(text->text(0, text->characterCount()), expected);
    EXPECT_EQ(text->text(6, 11), QString("here."));
    control->SetVisibleCount(2);
    EXPECT_EQ(text->text(0, text->characterCount()), QString("Start here."));
}

TEST_F(ControlAccessibleTest, VisibleLinksAreChildrenThatOpenWhenPressed) {
    ASSERT_EQ(accessible->childCount(), 2);
    QAccessibleInterface* link = accessible->child(0);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), QString::fromUtf8("Where\u2019s the key?"));
    EXPECT_EQ(link->parent(), accessible);
    EXPECT_FALSE(link->rect().isEmpty());
    QAccessibleInterface* other = accessible->child(1);
    EXPECT_EQ(other->text(QAccessible::Name), QString("Second question"));
    EXPECT_EQ(accessible->indexOfChild(other), 1);

    QAccessibleActionInterface* action = other->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ui.opened, std::vector<THunk*>{second});

    control->SetVisibleCount(3);  // the second link is hidden now
    EXPECT_EQ(accessible->childCount(), 1);
    EXPECT_EQ(accessible->child(1), nullptr);
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ui.opened.size(), 1u);
}

TEST(AccessibleTextOf, JoinsLinesLikeTheLayout) {
    TItemsHunk hunk("h");
    auto add = [&](const char* text, bool hard_break, bool ends_source_line, bool rule = false) {
        auto* line = new THunkLine(text, &hunk);
        line->hardBreak = hard_break;
        line->endsSourceLine = ends_source_line;
        line->isSeparator = rule;
        hunk.children.push_back(line);
    };
    add("one", false, true);  // a source line joined to the next with a blank
    add("tw", false, false);  // a piece joined without one
    add("o", true, true);     // the line ends
    add("-", true, true, true);
    add("three", true, true);
    EXPECT_EQ(AccessibleTextOf(hunk, 5), "one two\n\nthree");
    EXPECT_EQ(AccessibleTextOf(hunk, 2), "one tw");
    EXPECT_EQ(AccessibleTextOf(hunk, 99), AccessibleTextOf(hunk, 5));
    EXPECT_EQ(AccessibleTextOf(hunk, 0), "");
}

TEST(FromWindows1252, EveryByteGivesOneCharacterOfTheCodePage) {
    EXPECT_EQ(FromWindows1252("It\x92s caf\xE9 \x80"
                              "5"),
              QString::fromUtf8("It\u2019s caf\u00e9 \u20ac5"));
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = FromWindows1252(all);
    ASSERT_EQ(text.size(), 255);
    int defined = 0;
    for (int b = 1; b < 256; ++b) {
        const char16_t c = text[b - 1].unicode();
        EXPECT_EQ(c, Windows1252Char(static_cast<unsigned char>(b))) << b;
        // Outside 0x80..0x9F the code page agrees with Latin-1; inside, only its five undefined
        // bytes stay C1 controls.
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        if (b < 0x80 || b > 0x9F || undefined) {
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

// A phrase typed by the user must find the file's bytes; a message may carry either kind of text.
TEST(FromWindows1252, TypedTextComesBackAsTheSameBytesAndMessagesReadEitherKind) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("caf\u00e9 \u2014 \u4e2d")), "caf\xE9 \x97 ?");

    EXPECT_EQ(FromUtf8OrWindows1252("Caf\xE9 au lait"), QString::fromUtf8("Caf\u00e9 au lait"));
    EXPECT_EQ(FromUtf8OrWindows1252("/home/j\xC3\xBCrgen/spiel.klu"),
              QString::fromUtf8("/home/j\u00fcrgen/spiel.klu"));
    EXPECT_EQ(FromUtf8OrWindows1252("plain"), "plain");
}

TEST(QtTextMeasurer, MeasuresTheConvertedTextInTheFontsOfTheSettings) {
    const QFont normal = QGuiApplication::font();
    const QtTextMeasurer measurer(normal, QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(normal);
    EXPECT_EQ(measurer.TextWidth("caf\xE9 \x80", TextFont::Normal),
              metrics.horizontalAdvance(QString::fromUtf8("caf\u00e9 \u20ac")));
    EXPECT_EQ(measurer.TextWidth("", TextFont::Normal), 0);
    EXPECT_EQ(measurer.TextWidth("iiii", TextFont::Fixed),
              measurer.TextWidth("MMMM", TextFont::Fixed));
    EXPECT_EQ(measurer.LineHeight(), metrics.lineSpacing());
    EXPECT_EQ(measurer.AverageCharWidth(TextFont::Normal), metrics.averageCharWidth());

    const QFont font = ScreenFontOf({"Courier New", 11, 700, true});
    EXPECT_EQ(font.family(), QString("Courier New"));
    EXPECT_EQ(font.pointSize(), 11);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(ScreenFontOf({}).family(), QGuiApplication::font().family());
    EXPECT_FALSE(ScreenFontOf({}).italic());
}

}  // namespace
}  // namespace klu::test
