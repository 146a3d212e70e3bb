// Dialogs centred over their parent, and the Options dialog: its controls, the font and colour
// choices, OK and Cancel, the custom colours kept for the process, and the windows following the
// new settings.
#include "app/center_dialog.h"
#include "app/opt_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/options_command.h"
#include "app/qt_user_dialogs.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

TEST(CenteredPlace, TruncatedHalvesNeverNegativeAndAParentOfNoSizeIsTheScreen) {
    const struct {
        QSize dialog;
        QRect parent;
        QPoint expected;
    } cases[] = {
        {{200, 100}, {100, 50, 400, 300}, {200, 150}},  // an even fit
        {{200, 100}, {100, 50, 401, 303}, {200, 151}},  // an odd difference, its half truncated
        // Larger than its parent: -201 / 2 is truncated towards zero to -100, not -101.
        {{301, 151}, {300, 200, 100, 100}, {200, 175}},
        {{400, 100}, {10, 10, 100, 300}, {0, 110}},  // never negative, each axis on its own
        {{100, 400}, {10, 10, 300, 100}, {110, 0}},
        {{300, 300}, {1200, 700, 200, 200}, {1150, 650}},  // no limit at the right or bottom
        {{200, 100}, {50, 60, 0, 0}, {540, 350}},          // no size: the screen
        {{200, 100}, {}, {540, 350}},
        {{200, 100}, {300, 100, 0, 50}, {200, 75}},  // one side of no size is still a parent
        {{200, 100}, {300, 100, 400, 0}, {400, 50}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CenteredPlace(c.dialog, c.parent, QSize(1280, 800)), c.expected)
            << c.expected.x();
}

class Sized : public TCenterDialog {
  public:
    explicit Sized(QWidget* parent) : TCenterDialog(parent) { setFixedSize(200, 100); }
};

TEST(CenterDialog, AShownDialogSitsOverItsParentOrTheScreenOnceOnly) {
    QWidget frame;
    frame.setGeometry(100, 120, 600, 400);
    frame.show();
    {
        Sized dialog(&frame);
        dialog.show();
        EXPECT_EQ(dialog.ParentRect(), frame.frameGeometry());
        EXPECT_EQ(dialog.frameGeometry().center(), frame.frameGeometry().center());
    }
    // Over a child widget: its own rectangle on the screen.
    auto* inner = new QWidget(&frame);
    inner->setGeometry(10, 20, 300, 200);
    inner->show();
    {
        Sized dialog(inner);
        EXPECT_EQ(dialog.ParentRect(), QRect(inner->mapToGlobal(QPoint(0, 0)), QSize(300, 200)));
        dialog.show();
        EXPECT_EQ(dialog.frameGeometry().center(), dialog.ParentRect().center());
    }
    // A hidden parent: the screen.
    frame.hide();
    Sized dialog(&frame);
    EXPECT_TRUE(dialog.ParentRect().isEmpty());
    dialog.show();
    const QSize screen = dialog.screen()->size();
    EXPECT_EQ(dialog.pos(), QPoint((screen.width() - dialog.frameGeometry().width()) / 2,
                                   (screen.height() - dialog.frameGeometry().height()) / 2));
    // Placed when it first shows only: where the user moved it is kept.
    dialog.move(5, 7);
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.pos(), QPoint(5, 7));
}

constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kRed = 0x0000FF;

Settings DefaultSettings() {
    Settings settings;
    settings.mainFont = ParseFontRecord("Arial,10,400,0");
    settings.fixedFont = FixedFontOf(settings.mainFont);
    settings.linkColor = kBlue;
    settings.showCounting = true;
    settings.hintMemoryOn = true;
    settings.listFolder = "/hints/";
    return settings;
}

bool SameSettings(const Settings& a, const Settings& b) {
    return a.mainFont == b.mainFont && a.fixedFont == b.fixedFont && a.linkColor == b.linkColor &&
           a.showCounting == b.showCounting && a.hintMemoryOn == b.hintMemoryOn &&
           a.listFolder == b.listFolder;
}

ChosenFont TimesBold(int tenths) {
    ChosenFont chosen;
    chosen.font = ParseFontRecord("Times New Roman,10,700,1");
    chosen.tenthsOfPoint = tenths;
    return chosen;
}

class OptionsDialogTest : public ::testing::Test {
  protected:
    OptionsDialogTest() : settings(DefaultSettings()), dialog(nullptr, settings, dialogs) {}

    QCheckBox& Box(int id) { return *qobject_cast<QCheckBox*>(dialog.Control(id)); }
    std::string FontTextShown() {
        return qobject_cast<QLabel*>(dialog.Control(TOptDialog::kFontText))->text().toStdString();
    }

    FakeUserDialogs dialogs;
    Settings settings;
    TOptDialog dialog;
};

TEST_F(OptionsDialogTest, ShowsTheSettingsInAFixedFrameWithTheFocusInTemplateOrder) {
    EXPECT_EQ(dialog.windowTitle(), "Options");
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(FontTextShown(), "Arial, 10 pt.");
    EXPECT_TRUE(Box(TOptDialog::kCountingBox).isChecked());
    EXPECT_TRUE(Box(TOptDialog::kMemoryBox).isChecked());
    // Both check boxes show their whole text, though the template's box for the first one is
    // narrower than its text in most fonts.
    for (int id : {TOptDialog::kCountingBox, TOptDialog::kMemoryBox}) {
        EXPECT_GE(Box(id).width(), Box(id).sizeHint().width()) << id;
        EXPECT_LE(Box(id).geometry().right(), dialog.width()) << id;
    }
    EXPECT_TRUE(qobject_cast<QPushButton*>(dialog.Control(TOptDialog::kOk))->isDefault());
    EXPECT_FALSE(qobject_cast<QPushButton*>(dialog.Control(TOptDialog::kCancel))->isDefault());

    dialog.show();
    std::vector<int> focus_order;
    QWidget* at = dialog.Control(TOptDialog::kChooseFont);
    for (int i = 0; i < 6; ++i, at = at->nextInFocusChain()) {
        while (at->focusPolicy() == Qt::NoFocus)
            at = at->nextInFocusChain();
        focus_order.push_back(at->property("controlId").toInt());
    }
    EXPECT_EQ(focus_order, (std::vector<int>{104, 105, 102, 106, 1, 2}));

    Settings other = DefaultSettings();
    other.showCounting = false;
    TOptDialog second(nullptr, other, dialogs);
    EXPECT_FALSE(qobject_cast<QCheckBox*>(second.Control(TOptDialog::kCountingBox))->isChecked());
}

TEST_F(OptionsDialogTest, CancelAfterChoosingKeepsEverySetting) {
    const Settings before = settings;
    dialogs.fontAnswer = TimesBold(120);
    dialogs.colorAnswer = kRed;
    dialog.CmChooseFont();
    dialog.CmChooseColor();
    Box(TOptDialog::kCountingBox).setChecked(false);
    Box(TOptDialog::kMemoryBox).setChecked(false);
    EXPECT_EQ(FontTextShown(), "Times New Roman, 12 pt.");
    EXPECT_EQ(dialog.EditedLinkColor(), kRed);

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(SameSettings(settings, before));
}

TEST_F(OptionsDialogTest, OkStoresTheChoicesWithWholePointsAndTheCheckBoxes) {
    // The font dialog starts from the settings' font and the colour dialog from their colour.
    dialogs.fontAnswer = TimesBold(105);
    dialogs.colorAnswer = kRed;
    dialog.CmChooseFont();
    dialog.CmChooseColor();
    ASSERT_EQ(dialogs.fontRequests.size(), 1u);
    EXPECT_EQ(dialogs.fontRequests[0], DefaultSettings().mainFont);
    EXPECT_EQ(dialogs.colorRequests, std::vector<uint32_t>{kBlue});
    EXPECT_EQ(FontTextShown(), "Times New Roman, 10 pt.");

    // Choosing again starts from the dialog's own copies.
    dialogs.fontAnswer.reset();
    dialogs.colorAnswer.reset();
    dialog.CmChooseFont();
    dialog.CmChooseColor();
    EXPECT_EQ(dialogs.fontRequests.back().face, "Times New Roman");
    EXPECT_EQ(dialogs.colorRequests.back(), kRed);
    EXPECT_EQ(FontTextShown(), "Times New Roman, 10 pt.");  // cancelled: unchanged

    dialog.show();
    QTest::mouseClick(&Box(TOptDialog::kMemoryBox), Qt::LeftButton);
    QTest::mouseClick(dialog.Control(TOptDialog::kOk), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(settings.showCounting);
    EXPECT_FALSE(settings.hintMemoryOn);
    EXPECT_EQ(settings.mainFont.face, "Times New Roman");
    EXPECT_EQ(settings.mainFont.pointSize, 10);
    EXPECT_EQ(settings.mainFont.weight, 700);
    EXPECT_TRUE(settings.mainFont.italic);
    EXPECT_EQ(settings.linkColor, kRed);
    EXPECT_EQ(settings.listFolder, "/hints/");
    // The fixed font follows only once the command applies the settings.
    EXPECT_EQ(settings.fixedFont, DefaultSettings().fixedFont);
}

TEST_F(OptionsDialogTest, TheSampleShowsTheLinkColourInABlackFrame) {
    auto& sample = *dialog.Control(TOptDialog::kColorSample);
    const QRect inside = sample.contentsRect();
    ASSERT_GT(inside.width(), 4);
    const auto pixel = [&](QPoint at) { return sample.grab().toImage().pixelColor(at); };
    EXPECT_EQ(pixel(inside.topLeft()), QColor(Qt::black));
    EXPECT_EQ(pixel(inside.bottomRight()), QColor(Qt::black));
    EXPECT_EQ(pixel(inside.topLeft() + QPoint(1, 1)), QColor(0, 0, 255));
    dialogs.colorAnswer = 0x00FF00;
    dialog.CmChooseColor();
    EXPECT_EQ(pixel(inside.center()), QColor(0, 255, 0));
}

TEST_F(OptionsDialogTest, CustomColoursCarryOverToTheNextUse) {
    ProcessCustomColors().fill(0);
    CustomColors mine{};
    mine[0] = 0x123456;
    mine[15] = 0xABCDEF;
    dialogs.customAnswer = mine;
    dialog.CmChooseColor();  // cancelled, but the custom colours stay
    EXPECT_EQ(dialogs.customSeen, CustomColors{});

    dialogs.customAnswer.reset();
    TOptDialog next(nullptr, settings, dialogs);
    next.CmChooseColor();
    EXPECT_EQ(dialogs.customSeen, mine);
    EXPECT_EQ(ProcessCustomColors(), mine);
    ProcessCustomColors().fill(0);
}

// Once the real dialog runs, unticks the box and presses the button.
void AnswerTheDialog(int box, int button) {
    QTimer::singleShot(0, [=] {
        auto* shown = qobject_cast<TOptDialog*>(QApplication::activeModalWidget());
        if (!shown) return;
        qobject_cast<QCheckBox*>(shown->Control(box))->setChecked(false);
        QTest::mouseClick(shown->Control(button), Qt::LeftButton);
    });
}

TEST(OptionsRun, TheRealDialogReturnsOkOrCancel) {
    Settings settings = DefaultSettings();
    QtUserDialogs dialogs;
    AnswerTheDialog(TOptDialog::kCountingBox, TOptDialog::kOk);
    EXPECT_TRUE(dialogs.RunOptions(settings));
    EXPECT_FALSE(settings.showCounting);
    AnswerTheDialog(TOptDialog::kMemoryBox, TOptDialog::kCancel);
    EXPECT_FALSE(dialogs.RunOptions(settings));
    EXPECT_TRUE(settings.hintMemoryOn);
}

using OptionsCommandTest = WindowFixture;

TEST_F(OptionsCommandTest, OpenWindowsTakeTheNewFontAfterOk) {
    Open(Write("three.klu", ThreeHintFile()));
    auto* top = dynamic_cast<TStringChild*>(WindowHunkUi::ViewOf(*state.currentDocument.GetRoot()));
    ASSERT_NE(top, nullptr);
    THintChild* question = OpenWindow(*Child("How?"));
    ASSERT_NE(question, nullptr);
    // A window of another kind in the same client is passed over.
    Client().addSubWindow(new QWidget)->show();
    const int top_line = top->Control().LineHeight();
    const int question_line = question->Control().LineHeight();

    // Cancel: nothing changes.
    Settings larger = state.settings;
    larger.mainFont.pointSize = state.settings.mainFont.pointSize * 3;
    EXPECT_FALSE(SetOptions(dialogs, Client(), state.settings));
    EXPECT_EQ(top->Control().LineHeight(), top_line);

    dialogs.optionsAnswer = larger;
    EXPECT_TRUE(SetOptions(dialogs, Client(), state.settings));
    EXPECT_EQ(dialogs.optionsShown, 2);
    EXPECT_EQ(state.settings.fixedFont.face, "Courier New");
    EXPECT_EQ(state.settings.fixedFont.pointSize, larger.mainFont.pointSize);
    EXPECT_GT(top->Control().LineHeight(), top_line);
    EXPECT_GT(question->Control().LineHeight(), question_line);
    EXPECT_EQ(top->Control().NormalFont().pointSize(), larger.mainFont.pointSize);
}

}  // namespace
}  // namespace klu::test
