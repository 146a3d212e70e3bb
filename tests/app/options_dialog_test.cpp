// The Options dialog: its controls, the font and colour choices, OK and Cancel, the custom
// colours kept for the process, and the windows following the new settings.
#include "app/opt_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/color_sample.h"
#include "app/dialog_units.h"
#include "app/options_command.h"
#include "app/qt_user_dialogs.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

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

QString TextOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
    return QString();
}

QColor PixelAt(QWidget& widget, QPoint point) {
    return widget.grab().toImage().pixelColor(point);
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

TEST_F(OptionsDialogTest, HoldsTheControlsOfTheTemplateInTheirPlaces) {
    EXPECT_EQ(dialog.windowTitle(), "Options");
    const DialogUnits units = DialogUnitsOf(dialog.font());
    ASSERT_GT(units.charWidth, 0);
    EXPECT_EQ(dialog.size(), QSize(units.X(271), units.Y(163)));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());  // a fixed frame

    // Every control as a child of the dialog, in the order of the template.
    std::vector<std::pair<int, QString>> shown;
    for (QObject* child : dialog.children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            shown.emplace_back(widget->property("controlId").toInt(), TextOf(widget));
    }
    const std::vector<std::pair<int, QString>> expected = {
        {101, "Display Options"},
        {-1, "Default Font"},
        {201, "Arial, 10 pt."},
        {104, "Choose Font..."},
        {-1, "Color of Link Text"},
        {202, ""},
        {105, "Choose Color..."},
        {103, "Hint Options"},
        {102, "Display number of hints remaining in each question"},
        {106, "Hint Memory (remembers which hints have been displayed)"},
        {1, "OK"},
        {2, "Cancel"},
    };
    EXPECT_EQ(shown, expected);

    EXPECT_EQ(dialog.Control(TOptDialog::kDisplayGroup)->geometry(),
              units.ToPixels(10, 7, 248, 62));
    EXPECT_EQ(dialog.Control(TOptDialog::kColorSample)->geometry(), units.ToPixels(84, 42, 48, 14));
    EXPECT_EQ(dialog.Control(TOptDialog::kMemoryBox)->geometry(), units.ToPixels(24, 108, 228, 12));
    EXPECT_EQ(dialog.Control(TOptDialog::kCancel)->geometry(), units.ToPixels(208, 141, 50, 14));
    // Both check boxes show their whole text, though the template's box for the first one is
    // narrower than its text in most fonts.
    for (int id : {TOptDialog::kCountingBox, TOptDialog::kMemoryBox}) {
        QWidget* box = dialog.Control(id);
        EXPECT_GE(box->width(), box->sizeHint().width()) << id;
        EXPECT_LE(box->geometry().right(), units.X(258)) << id;
    }
    EXPECT_TRUE(qobject_cast<QPushButton*>(dialog.Control(TOptDialog::kOk))->isDefault());
    EXPECT_FALSE(qobject_cast<QPushButton*>(dialog.Control(TOptDialog::kCancel))->isDefault());
    EXPECT_NE(qobject_cast<ColorSample*>(dialog.Control(TOptDialog::kColorSample)), nullptr);

    // The focus runs through the buttons and boxes in the order of the template.
    dialog.show();
    dialog.Control(TOptDialog::kChooseFont)->setFocus();
    std::vector<int> focus_order;
    QWidget* at = dialog.Control(TOptDialog::kChooseFont);
    for (int i = 0; i < 6; ++i, at = at->nextInFocusChain()) {
        while (at->focusPolicy() == Qt::NoFocus)
            at = at->nextInFocusChain();
        focus_order.push_back(at->property("controlId").toInt());
    }
    EXPECT_EQ(focus_order, (std::vector<int>{104, 105, 102, 106, 1, 2}));
}

TEST(DialogUnits, AQuarterOfTheAverageWidthAndAnEighthOfTheHeight) {
    const DialogUnits units{7, 15};
    EXPECT_EQ(units.ToPixels(10, 7, 248, 62), QRect(17, 13, 434, 116));
    EXPECT_EQ(units.ToPixels(0, 0, 3, 1), QRect(0, 0, 5, 1));
    // A wider font makes wider units.
    QFont small = QApplication::font();
    QFont large = small;
    large.setPointSize(small.pointSize() * 2);
    EXPECT_GT(DialogUnitsOf(large).charWidth, DialogUnitsOf(small).charWidth);
    EXPECT_GT(DialogUnitsOf(large).charHeight, DialogUnitsOf(small).charHeight);
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

TEST_F(OptionsDialogTest, OkStoresTheChoicesWithWholePoints) {
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
    QTest::mouseClick(dialog.Control(TOptDialog::kOk), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.mainFont.face, "Times New Roman");
    EXPECT_EQ(settings.mainFont.pointSize, 10);
    EXPECT_EQ(settings.mainFont.weight, 700);
    EXPECT_TRUE(settings.mainFont.italic);
    EXPECT_EQ(settings.linkColor, kRed);
    EXPECT_EQ(settings.listFolder, "/hints/");
    // The fixed font follows only once the command applies the settings.
    EXPECT_EQ(settings.fixedFont, DefaultSettings().fixedFont);
}

TEST_F(OptionsDialogTest, TheCheckBoxesShowAndWriteBackCountingAndMemory) {
    EXPECT_TRUE(Box(TOptDialog::kCountingBox).isChecked());
    EXPECT_TRUE(Box(TOptDialog::kMemoryBox).isChecked());
    dialog.show();
    QTest::mouseClick(&Box(TOptDialog::kMemoryBox), Qt::LeftButton);
    dialog.accept();
    EXPECT_TRUE(settings.showCounting);
    EXPECT_FALSE(settings.hintMemoryOn);

    Settings other = DefaultSettings();
    other.showCounting = false;
    other.hintMemoryOn = true;
    TOptDialog second(nullptr, other, dialogs);
    EXPECT_FALSE(qobject_cast<QCheckBox*>(second.Control(TOptDialog::kCountingBox))->isChecked());
    EXPECT_TRUE(qobject_cast<QCheckBox*>(second.Control(TOptDialog::kMemoryBox))->isChecked());
    qobject_cast<QCheckBox*>(second.Control(TOptDialog::kCountingBox))->setChecked(true);
    second.accept();
    EXPECT_TRUE(other.showCounting);
    EXPECT_TRUE(other.hintMemoryOn);
}

TEST_F(OptionsDialogTest, TheSampleShowsTheLinkColourInABlackFrame) {
    auto& sample = *qobject_cast<ColorSample*>(dialog.Control(TOptDialog::kColorSample));
    const QRect inside = sample.contentsRect();
    ASSERT_GT(inside.width(), 4);
    EXPECT_EQ(PixelAt(sample, inside.center()), QColor(0, 0, 255));
    EXPECT_EQ(PixelAt(sample, inside.topLeft()), QColor(Qt::black));
    EXPECT_EQ(PixelAt(sample, inside.bottomRight()), QColor(Qt::black));
    EXPECT_EQ(PixelAt(sample, inside.topLeft() + QPoint(1, 1)), QColor(0, 0, 255));

    dialogs.colorAnswer = 0x00FF00;
    dialog.CmChooseColor();
    EXPECT_EQ(PixelAt(sample, inside.center()), QColor(0, 255, 0));
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

TEST(OptionsRun, TheRealDialogReturnsOkOrCancel) {
    Settings settings = DefaultSettings();
    QtUserDialogs dialogs;
    // Answers the dialog once it runs: switches counting off and presses OK.
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<TOptDialog*>(QApplication::activeModalWidget());
        if (!shown) return;
        qobject_cast<QCheckBox*>(shown->Control(TOptDialog::kCountingBox))->setChecked(false);
        QTest::mouseClick(shown->Control(TOptDialog::kOk), Qt::LeftButton);
    });
    EXPECT_TRUE(dialogs.RunOptions(settings));
    EXPECT_FALSE(settings.showCounting);

    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<TOptDialog*>(QApplication::activeModalWidget());
        if (!shown) return;
        qobject_cast<QCheckBox*>(shown->Control(TOptDialog::kMemoryBox))->setChecked(false);
        QTest::mouseClick(shown->Control(TOptDialog::kCancel), Qt::LeftButton);
    });
    EXPECT_FALSE(dialogs.RunOptions(settings));
    EXPECT_TRUE(settings.hintMemoryOn);
}

class OptionsCommandTest : public WindowFixture {
  protected:
    TStringChild* TopWindow() {
        THunk* root = state.currentDocument.GetRoot();
        return root ? dynamic_cast<TStringChild*>(WindowHunkUi::ViewOf(*root)) : nullptr;
    }
};

TEST_F(OptionsCommandTest, OpenWindowsTakeTheNewFontAfterOk) {
    Open(Write("three.klu", ThreeHintFile()));
    TStringChild* top = TopWindow();
    ASSERT_NE(top, nullptr);
    THintChild* question = OpenWindow(*Child("How?"));
    ASSERT_NE(question, nullptr);
    // A window of another kind in the same client is passed over.
    frame->Client().addSubWindow(new QWidget)->show();
    const int top_line = top->Control().LineHeight();
    const int question_line = question->Control().LineHeight();

    // Cancel: nothing changes.
    Settings larger = state.settings;
    larger.mainFont.pointSize = state.settings.mainFont.pointSize * 3;
    EXPECT_FALSE(SetOptions(dialogs, frame->Client(), state.settings));
    EXPECT_EQ(top->Control().LineHeight(), top_line);

    dialogs.optionsAnswer = larger;
    EXPECT_TRUE(SetOptions(dialogs, frame->Client(), state.settings));
    EXPECT_EQ(dialogs.optionsShown, 2);
    EXPECT_EQ(state.settings.fixedFont.face, "Courier New");
    EXPECT_EQ(state.settings.fixedFont.pointSize, larger.mainFont.pointSize);
    EXPECT_GT(top->Control().LineHeight(), top_line);
    EXPECT_GT(question->Control().LineHeight(), question_line);
    EXPECT_EQ(top->Control().NormalFont().pointSize(), larger.mainFont.pointSize);
}

}  // namespace
}  // namespace klu::test
