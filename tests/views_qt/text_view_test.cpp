// The text control, and hint text bytes as Unicode.
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <tuple>

#include "../model/model_test_support.h"
#include "model/document/meta_text_hunk.h"
#include "views/readable_colors.h"
#include "views/text_view.h"
#include "views/text_view_accessible.h"
#include "views/windows1252.h"

namespace klu::test {
namespace {

// A subject whose children are lines and questions, as the parser lays them out: every child
// ends its line unless asked otherwise.
class ControlTest : public ::testing::Test {
  protected:
    ControlTest() : root("Subject", nullptr, SUBJECT) { root.SetObserver(&ui); }

    template <class T = HunkLine>
    T* Add(T* child, bool hard_break = true) {
        child->hardBreak = hard_break;
        child->endsSourceLine = 1;
        root.children.push_back(child);
        return child;
    }
    HunkLine* AddLine(std::string text, bool hard_break = true) {
        return Add(new HunkLine(std::move(text)), hard_break);
    }
    MetaTextHunk* AddQuestion(std::string title) {
        return Add(new MetaTextHunk(std::move(title), &root, HINT));
    }

    void Show(int width = 320, int height = 240) {
        control = std::make_unique<TextView>(nullptr, root);
        control->resize(width, height);
        control->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(control.get()));
        control->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(control.get()));
        control->setFocus();
    }
    QPoint CentreOf(const KLUObject* object) const {
        for (const WrapInfo& f : control->Fragments()) {
            if (f.object == object)
                return QPoint((f.left + f.right) / 2, (f.top + f.bottom) / 2) -
                       QPoint(control->horizontalScrollBar()->value(),
                              control->verticalScrollBar()->value());
        }
        ADD_FAILURE() << "no fragment for " << object->GetName();
        return {};
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(control.get(), key, modifiers);
    }
    Qt::CursorShape CursorAt(QPoint point) {
        QMouseEvent move(QEvent::MouseMove, QPointF(point), control->viewport()->mapToGlobal(point),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control->viewport(), &move);
        return control->viewport()->cursor().shape();
    }
    QImage Grab() const { return control->viewport()->grab().toImage(); }

    RecordingObserver ui;
    MetaTextHunk root;
    std::unique_ptr<TextView> control;
};

class ControlLinksTest : public ControlTest {
  protected:
    ControlLinksTest() {
        AddLine("Some words first.");
        first = AddQuestion("First question");
        AddLine("Between the two.");
        last = AddQuestion("Last question");
        Show();
    }
    // Presses each key in turn, Shift+Tab as Shift with Tab or with Backtab, and checks the
    // link marked after it.
    void Walk(const std::vector<std::pair<Qt::Key, const KLUObject*>>& steps, bool shift = false) {
        for (const auto& [key, marked] : steps) {
            Key(key, shift ? Qt::ShiftModifier : Qt::NoModifier);
            EXPECT_EQ(control->CurrentLink(), marked) << "after key " << key;
        }
    }
    MetaTextHunk* first = nullptr;
    MetaTextHunk* last = nullptr;
};

// With an owner, Tab past the links gives it the focus, Space its default action, Esc a close.
TEST_F(ControlLinksTest, TabWalksTheLinksOrToTheOwnerEnterAndSpaceOpenEscCloses) {
    EXPECT_EQ(control->CurrentLink(), nullptr);
    Walk(
        {{Qt::Key_Tab, first}, {Qt::Key_Return, first}, {Qt::Key_Tab, last}, {Qt::Key_Tab, first}});
    EXPECT_EQ(ui.shown, std::vector<Hunk*>{first});
    EXPECT_TRUE(control->hasFocus()) << "Tab stayed inside the control";
    Walk({{Qt::Key_Tab, last}}, true);
    Key(Qt::Key_Enter);
    Key(Qt::Key_Space);
    EXPECT_EQ(ui.shown, (std::vector<Hunk*>{first, last, last}));
    Show();  // from the start, Shift+Tab selects the last link
    Walk({{Qt::Key_Backtab, last}}, true);

    Show();
    std::string calls;  // what the control asked of its owner
    control->SetFocusButton([&](bool forward) {
        calls += forward ? "focus next, " : "focus previous, ";
        return true;
    });
    control->SetDefaultAction([&] { calls += "action, "; });
    control->SetCloseWindow([&] { calls += "close"; });
    // With no link marked, Shift+Tab starts at the last link, as from the button.
    Walk({{Qt::Key_Tab, first}, {Qt::Key_Tab, last}, {Qt::Key_Tab, nullptr}});
    Walk({{Qt::Key_Backtab, last}, {Qt::Key_Backtab, first}, {Qt::Key_Backtab, nullptr}}, true);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Space);
    Key(Qt::Key_Escape);
    EXPECT_EQ(calls, "focus next, focus previous, action, close");
    EXPECT_EQ(ui.shown.size(), 3u);
}

TEST_F(ControlLinksTest, ClickOpensTheLinkUnderTheMouseWhichShowsAHand) {
    const QPoint corner(control->viewport()->width() - 5, control->viewport()->height() - 5);
    std::vector<Qt::CursorShape> cursors;
    for (const QPoint point :
         {CentreOf(last), CentreOf(first), CentreOf(root.children[0]), corner, QPoint(2, 2)}) {
        cursors.push_back(CursorAt(point));
        QTest::mouseClick(control->viewport(), Qt::LeftButton, {}, point);
    }
    const Qt::CursorShape hand = Qt::PointingHandCursor, arrow = Qt::ArrowCursor;
    EXPECT_EQ(cursors, (std::vector{hand, hand, arrow, arrow, arrow}));
    EXPECT_EQ(ui.shown, (std::vector<Hunk*>{last, first}));
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

// Text and links take their colours, hidden children none. On a dark colour scheme the text and
// the default link colour stay readable and a link colour the user chose is kept.
TEST_F(ControlTest, TextAndLinksTakeTheirColoursReadableOnADarkPaletteHiddenChildrenNone) {
    AddLine("Plain text in the text colour.");
    AddQuestion("A link in the link colour");
    Show(360, 200);
    Settings settings;
    settings.mainFont = {"Arial", 14, 700, false};
    settings.fixedFont = FixedFontOf(settings.mainFont);
    settings.linkColor = 0x000000FF;  // red, as a colour value of the settings
    control->ApplySettings(settings);
    control->SetTextColor(Qt::darkGreen);
    EXPECT_EQ(control->LinkColor(), QColor(Qt::red));
    // The children shown, and whether the link and the text are drawn.
    const std::tuple<int, bool, bool> shown[] = {
        {2, true, true}, {1, false, true}, {0, false, false}};
    for (const auto& [visible, link, text] : shown) {
        control->SetVisibleCount(visible);
        const QImage image = Grab();
        const int red = PixelsNear(image, Qt::red), green = PixelsNear(image, Qt::darkGreen);
        EXPECT_TRUE(link ? red > 20 : red == 0) << visible << " shown, red " << red;
        EXPECT_TRUE(text ? green > 20 : green == 0) << visible << " shown, green " << green;
    }

    QPalette dark = control->palette();
    const QColor base(30, 30, 32);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::Text, QColor(225, 225, 225));
    dark.setColor(QPalette::Link, Qt::blue);
    control->setPalette(dark);
    control->ApplySettings(settings);
    EXPECT_EQ(control->LinkColor(), QColor(Qt::red)) << "the user's choice is kept";
    settings.linkColor = kDefaultLinkColorRef;
    control->ApplySettings(settings);
    EXPECT_GE(ContrastRatio(control->TextColor(), base), 4.5);
    EXPECT_GE(ContrastRatio(control->LinkColor(), base), 4.5);
    control->setPalette(QPalette(Qt::white));  // on a light scheme the default blue is itself
    control->ApplySettings(settings);
    EXPECT_EQ(control->LinkColor(), QColor(Qt::blue));
}

// An incentive opens nothing.
TEST_F(ControlTest, AnIncentiveShowsAsPlainTextNotALink) {
    KLUObject* incentive = Add(new MetaTextHunk("Buy the full game", &root, INCENTIVE));
    MetaTextHunk* question = AddQuestion("Question");
    Show();
    control->SetTextColor(Qt::darkGreen);
    EXPECT_EQ(control->FocusableLinks(), std::vector<KLUObject*>{question});
    EXPECT_EQ(CursorAt(CentreOf(incentive)), Qt::ArrowCursor);
    control->SetVisibleCount(1);
    EXPECT_GT(PixelsNear(Grab(), Qt::darkGreen), 20);
    EXPECT_EQ(PixelsNear(Grab(), control->LinkColor()), 0);
}

TEST_F(ControlTest, AccessibleTextIsTheVisibleChildrenInOrderVisibleLinksOpenWhenPressed) {
    AddLine("Start", false);
    AddLine("here.");
    AddQuestion("Where\x92s the key?");
    AddLine("Caf\xE9 talk.");
    MetaTextHunk* second = AddQuestion("Second question");
    Show();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control.get());
    ASSERT_NE(accessible, nullptr);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    const QString expected =
        QString::fromUtf8("Start here.\nWhere\u2019s the key?\nCaf\u00e9 talk.\nSecond question");
    EXPECT_EQ(text->characterCount(), expected.size());
    EXPECT_EQ(text->text(0, text->characterCount()), expected);
    EXPECT_EQ(text->text(6, 11), QString("here."));

    ASSERT_EQ(accessible->childCount(), 2);
    for (const auto& [i, name] : {std::pair{0, QString::fromUtf8("Where\u2019s the key?")},
                                  {1, QString("Second question")}}) {
        ASSERT_NE(accessible->child(i), nullptr);
        EXPECT_EQ(accessible->child(i)->role(), QAccessible::Link);
        EXPECT_EQ(accessible->child(i)->text(QAccessible::Name), name);
    }
    QAccessibleActionInterface* action = accessible->child(1)->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ui.shown, std::vector<Hunk*>{second});

    control->SetVisibleCount(3);  // the second link is hidden now
    EXPECT_EQ(accessible->childCount(), 1);
    EXPECT_EQ(accessible->child(1), nullptr);
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ui.shown.size(), 1u);
    control->SetVisibleCount(2);
    EXPECT_EQ(text->text(0, text->characterCount()), QString("Start here."));
}

// Bytes to text and back; a phrase typed by the user must find the file's bytes.
TEST(FromWindows1252, ConvertsBothWays) {
    EXPECT_EQ(FromWindows1252("It\x92s caf\xE9 5\x80"),
              QString::fromUtf8("It\u2019s caf\u00e9 5\u20ac"));
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("caf\u00e9 \u2014 \u4e2d")), "caf\xE9 \x97 ?");
    EXPECT_EQ(FromUtf8OrWindows1252("Caf\xE9"), QString::fromUtf8("Caf\u00e9"));
    EXPECT_EQ(FromUtf8OrWindows1252("j\xC3\xBCrgen"), QString::fromUtf8("j\u00fcrgen"));
}

}  // namespace
}  // namespace klu::test
