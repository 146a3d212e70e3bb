// The reader's dialogs: their place, the Options dialog and command, font and printer setup.
#include "app/centered_dialog.h"
#include "app/options_dialog.h"
#include "app/options_command.h"
#include "app/qt_user_dialogs.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPrintDialog>
#include <tuple>

#include "window_fixture.h"

namespace klu::test {
namespace {

TEST(CenteredPlace, TruncatedHalvesNeverNegativeNoParentIsTheScreen) {
    const std::tuple<QSize, QRect, QPoint> cases[] = {
        {{200, 100}, {100, 50, 400, 300}, {200, 150}},  // an even fit
        // Larger than its parent: -201 / 2 is truncated towards zero to -100, not -101.
        {{301, 151}, {300, 200, 100, 100}, {200, 175}},
        {{400, 100}, {10, 10, 100, 300}, {0, 110}},  // never negative, each axis on its own
        {{200, 100}, {50, 60, 0, 0}, {540, 350}},    // no size: the screen
    };
    for (const auto& [dialog, parent, expected] : cases)
        EXPECT_EQ(CenteredPlace(dialog, parent, QSize(1280, 800)), expected) << expected.x();
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

// What the Options dialog may change, and what it must leave alone, to compare at once.
auto OptionsOf(const Settings& s) {
    return std::tie(s.mainFont, s.fixedFont, s.linkColor, s.showCounting, s.hintMemoryOn,
                    s.listFolder);
}

// The font dialog starts from the settings' font and the colour dialog from their colour; OK
// stores the choices with whole points and the check boxes, Cancel keeps every setting.
TEST(OptionsDialog, OkStoresTheChoicesWithWholePointsCancelKeepsEverySetting) {
    FakeUserDialogs dialogs;
    Settings settings = DefaultSettings();
    Settings chosen = DefaultSettings();  // the fixed font follows once the command applies them
    chosen.mainFont = {"Times New Roman", 10, 700, true};
    chosen.linkColor = kRed;
    chosen.hintMemoryOn = false;
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        OptionsDialog shown(nullptr, settings, dialogs);
        dialogs.fontAnswer = ChosenFont{chosen.mainFont, ok ? 105 : 120};
        dialogs.colorAnswer = kRed;
        shown.CmChooseFont();
        shown.CmChooseColor();
        EXPECT_EQ(qobject_cast<QLabel*>(shown.Control(OptionsDialog::kFontText))->text(),
                  ok ? "Times New Roman, 10 pt." : "Times New Roman, 12 pt.");
        EXPECT_EQ(shown.EditedLinkColor(), kRed);
        shown.show();
        QTest::mouseClick(shown.Control(OptionsDialog::kMemoryBox), Qt::LeftButton);
        if (ok)
            QTest::mouseClick(shown.Control(OptionsDialog::kOk), Qt::LeftButton);
        else
            QTest::keyClick(&shown, Qt::Key_Escape);
        EXPECT_EQ(shown.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(OptionsOf(settings), OptionsOf(ok ? chosen : DefaultSettings()));
    }
    // Both times from the default font and colour: Cancel changed neither.
    EXPECT_EQ(dialogs.fontRequests, std::vector<FontRecord>(2, DefaultSettings().mainFont));
    EXPECT_EQ(dialogs.colorRequests, std::vector<uint32_t>(2, kBlue));
}

TEST(OptionsDialog, CustomColoursCarryOverToTheNextUse) {
    FakeUserDialogs dialogs;
    Settings settings = DefaultSettings();
    ProcessCustomColors().fill(0);
    CustomColors mine{0x123456};
    mine[15] = 0xABCDEF;
    dialogs.customAnswer = mine;
    OptionsDialog(nullptr, settings, dialogs).CmChooseColor();  // cancelled, but the colours stay
    EXPECT_EQ(dialogs.customSeen, CustomColors{});

    dialogs.customAnswer.reset();
    OptionsDialog(nullptr, settings, dialogs).CmChooseColor();
    EXPECT_EQ(dialogs.customSeen, mine);
    EXPECT_EQ(ProcessCustomColors(), mine);
    ProcessCustomColors().fill(0);
}

using OptionsCommandTest = WindowFixture;

// A fresh profile chooses no font: the windows and the Options dialog follow the desktop's.
TEST_F(OptionsCommandTest, WithoutAChosenFontTheDesktopsIsUsed) {
    Open(Write("three.klu", ThreeHintFile()));
    const HintWindow* top = ViewOf(state.currentDocument.GetRoot());
    ASSERT_NE(top, nullptr);
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    EXPECT_EQ(top->Control().NormalFont().family(), desktop.family());
    EXPECT_EQ(top->Control().NormalFont().pointSize(), desktop.pointSize());
    const OptionsDialog shown(nullptr, state.settings, dialogs);
    EXPECT_EQ(qobject_cast<QLabel*>(shown.Control(OptionsDialog::kFontText))->text().toStdString(),
              FontText(desktop.family().toStdString(), desktop.pointSize()));
}

TEST_F(OptionsCommandTest, OpenWindowsTakeTheNewFontAfterOk) {
    Open(Write("three.klu", ThreeHintFile()));
    HintWindow* top = ViewOf(state.currentDocument.GetRoot());
    HintWindow* question = OpenWindow(*Child("How?"));
    ASSERT_TRUE(top && question);
    // A window of another kind in the same client is passed over.
    Client().addSubWindow(new QWidget)->show();
    const int top_line = top->Control().LineHeight();
    const int question_line = question->Control().LineHeight();

    Settings larger = state.settings;
    larger.mainFont = {"Liberation Sans", top->Control().NormalFont().pointSize() * 3, 400, false};
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

TEST(FontDialogAnswer, KeepsEveryWeightItalicsAndTenthsOfAPoint) {
    for (const int weight : {100, 300, 400, 500, 600, 700, 800, 900}) {
        for (const bool italic : {false, true}) {
            QFont font = ScreenFontOf({"Liberation Sans", 11, weight, italic});
            font.setPointSizeF(10.5);
            const ChosenFont chosen = ChosenFontOf(font);
            EXPECT_EQ(chosen.font, (FontRecord{"Liberation Sans", 10, weight, italic})) << weight;
            EXPECT_EQ(chosen.tenthsOfPoint, 105);
        }
    }
}

TEST(PrinterSetupDialog, ListsThePrintersToChooseFromWithoutAPageRange) {
    QPrinter printer;
    const std::unique_ptr<QPrintDialog> dialog = MakePrinterSetupDialog(printer, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Printer Setup");
    EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
    dialog->show();  // the list is filled when the dialog shows
    const auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr);
    EXPECT_GE(printers->count(), 1) << "at least printing to a file";
}

}  // namespace
}  // namespace klu::test
