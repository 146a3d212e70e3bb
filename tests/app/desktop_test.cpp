// At home on the desktop: titles, the menus and the commands they enable, icons, the About box.
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <filesystem>
#include <set>

#include "app/about_dialog.h"
#include "app/button_icons.h"
#include "app/command_ids.h"
#include "app/klu_icon.h"
#include "app/menu_builder.h"
#include "app/menu_table.h"
#include "model/document/meta_text_hunk.h"
#include "views/text_window.h"
#include "views/window_icons.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

using DesktopTest = WindowFixture;

TEST_F(DesktopTest, TheMainTitleNamesTheOpenFileFirst) {
    EXPECT_EQ(frame->windowTitle(), "KLU Reader");
    Open(Write("game.klu", SampleHintFile("Caf\xE9 Quest")));
    EXPECT_EQ(frame->windowTitle(), QString::fromUtf8("Café Quest - KLU Reader"));
    // Hint text is Windows-1252 in every title, also where its bytes would read as UTF-8.
    Open(Write("odd.klu", SampleHintFile("\xC3\xA9t\xC3\xA9")));
    EXPECT_EQ(frame->windowTitle(), QString::fromUtf8("Ã©tÃ© - KLU Reader"));
    EXPECT_EQ(Client().activeSubWindow()->windowTitle(), QString::fromUtf8("Ã©tÃ©"));
    Open(Write("bad.klu", "not a hint file\n"));
    EXPECT_EQ(frame->windowTitle(), "KLU Reader");
}

TEST_F(DesktopTest, TheWindowsMenuListsTheOpenWindowsAndActivatesTheOneChosen) {
    Open(Write("game.klu", SampleHintFile()));
    OpenWindow(*Child("Chapter"));
    OpenWindow(*Child("Where?"));
    QMenu* windows = frame->Popups().at(PopupIndexOf(CM_CASCADECHILDREN));
    emit windows->aboutToShow();
    emit windows->aboutToShow();  // built anew, not added twice
    QStringList listed;
    QAction* chapter = nullptr;
    for (QAction* action : windows->actions()) {
        if (!action->isCheckable() || CommandIdOf(*action) != 0) continue;  // not a layout
        listed << action->text() + (action->isChecked() ? " *" : "");
        if (action->text() == "&2 Chapter") chapter = action;
    }
    EXPECT_EQ(listed, QStringList({"&1 Sample Game", "&2 Chapter", "&3 Where? *"}));
    ASSERT_NE(chapter, nullptr);
    chapter->trigger();
    EXPECT_EQ(Client().activeSubWindow()->windowTitle(), "Chapter");
    auto* window = qobject_cast<TextWindow*>(Client().activeSubWindow()->widget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), &window->Control());
}

TEST_F(DesktopTest, NewWindowsFitWhatTheyShowWithinTheClientArea) {
    auto root = MakeSubject("Game");
    root->Add(MakeQuestion("How?", {{"first"}, {"second"}, {"third"}}));
    root->Add(MakeText("Long", std::vector<std::string>(200, "A line of a long text.")));
    Open(Write("game.klu", HintFileOf(std::move(root))));
    const QRect room = Client().viewport()->rect();
    const QMdiSubWindow* top = Client().activeSubWindow();
    EXPECT_LT(top->height(), room.height() * 3 / 4) << "two lines need less";
    EXPECT_GE(top->height(), 150);

    HintWindow* how = OpenWindow(*Child("How?"));
    ASSERT_NE(how, nullptr);
    how->CmAnotherHint();
    how->CmAnotherHint();
    EXPECT_EQ(how->Control().verticalScrollBar()->maximum(), 0) << "every hint in view";
    OpenWindow(*Child("Long"));
    EXPECT_EQ(Client().activeSubWindow()->geometry().bottom(), room.bottom());
}

TEST(AboutBox, NamesThisProgramAndTheVersionItPrints) {
    AboutDialog about(nullptr);
    EXPECT_EQ(about.windowTitle(), "About KLU Reader");
    const auto* version = about.findChild<QLabel*>("version");
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->text().endsWith(QStringLiteral("Version " KLU_VERSION)));
}

// The desktop's icon theme by the freedesktop names first; a pictogram of its own for every
// button and window kind (a GIF's window and a picture's share one) where the theme has none.
TEST(ControlBarIcons, TheThemesByNameElseAPictogramOfItsOwnAtBothScales) {
    TempFolder themes;
    std::filesystem::create_directories(themes / "t/16x16/actions");
    WriteFile(themes / "t/index.theme",
              "[Icon Theme]\nName=t\nDirectories=16x16/actions\n[16x16/actions]\nSize=16\n");
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    red.save(QString::fromStdString(themes / "t/16x16/actions/document-open.png"));
    const QStringList paths = QIcon::themeSearchPaths();
    const QString theme = QIcon::themeName();
    QIcon::setThemeSearchPaths({QString::fromStdString(themes.path())});
    QIcon::setThemeName("t");
    EXPECT_EQ(ButtonIcon(CM_FILEOPEN).name(), "document-open");

    std::vector<std::pair<std::string, QIcon>> own;
    for (const ControlBarSlot& slot : ControlBarLayout()) {
        if (slot.id != 0 && slot.id != CM_FILEOPEN)
            own.emplace_back(std::to_string(slot.id), ButtonIcon(slot.id));
    }
    for (const char* kind : {"COMMENT", "CREDIT", "HINT", "HYPERPNG", "INFO", "NESTHINT",
                             "SUBJECT", "TEXT", "VERBOSE"})
        own.emplace_back(kind, WindowIcon(kind));
    std::vector<QImage> drawn;
    for (const auto& [name, icon] : own) {
        EXPECT_EQ(icon.name(), "") << name;
        for (const qreal scale : {1.0, 2.0}) {
            const QImage image = icon.pixmap(QSize(20, 20), scale).toImage();
            ASSERT_EQ(image.size(), QSize(20, 20) * scale) << name;
            int painted = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    painted += qAlpha(image.pixel(x, y)) > 128;
            }
            EXPECT_GT(painted, 40 * scale * scale) << name;
        }
        const QImage image = icon.pixmap(QSize(20, 20)).toImage();
        for (size_t i = 0; i < drawn.size(); ++i)
            EXPECT_NE(image, drawn[i]) << name << " looks like " << own[i].first;
        drawn.push_back(image);
    }
    EXPECT_EQ(WindowIcon("GIFA").pixmap(QSize(16, 16)).toImage(),
              WindowIcon("HYPERPNG").pixmap(QSize(16, 16)).toImage());
    QIcon::setThemeName(theme);
    QIcon::setThemeSearchPaths(paths);
}

// The window's icon is read from the files rendered at build time: each size is the drawn one.
TEST(ProgramIcon, EachSizeIsTheIconDrawnAtThatSize) {
    const QIcon icon = KluIcon();
    for (const int size : {16, 32, 48}) {
        EXPECT_EQ(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                  DrawKluIcon(size).convertToFormat(QImage::Format_ARGB32))
            << size;
    }
}

using Commands = std::multiset<int>;

// Go to the KLU Web Site is there only when the build names a web address.
const Commands kAlways = [] {
    Commands always = {CM_FILEOPEN,      CM_VERBOSELISTING,  CM_CHANGELISTFOLDER, CM_PRINTERSETUP,
                       CM_EXIT,          CM_CASCADECHILDREN, CM_TILECHILDREN,     CM_ARRANGEICONS,
                       CM_CLOSECHILDREN, CM_LAYOUTTABS,      CM_LAYOUTWINDOWS,    CM_SETOPTIONS,
                       CM_VIEWCONTENTS,  CM_FILTERCONTENTS,  CM_SHOWHELPFILE,     CM_PRINTHELPFILE,
                       CM_ABOUT};
    if (!MakerWebAddress().empty()) always.insert(CM_WEBSITE);
    return always;
}();
const Commands kWithAFile = {CM_FILEINFO,  CM_DECODETOTEXT,  CM_EXPORTWEBPAGE,  CM_FINDINFILE,
                             CM_PRINTFILE, CM_SHOWTOPWINDOW, CM_RESETHINTMEMORY};
const Commands kWithATextWindow = {CM_SAVEWINDOW, CM_PRINTWINDOW, CM_COPYTOCLIPBOARD};

Commands Plus(Commands commands, const Commands& more) {
    commands.insert(more.begin(), more.end());
    return commands;
}

class FrameCommandsTest : public WindowFixture {
  protected:
    // The commands of the menus that are enabled, each as often as the menus offer it.
    Commands Enabled() const {
        frame->UpdateMenus();
        Commands enabled;
        for (const QMenu* popup : frame->Popups()) {
            for (const QAction* action : popup->actions())
                if (!action->isSeparator() && action->isEnabled())
                    enabled.insert(CommandIdOf(*action));
        }
        return enabled;
    }
    QMdiSubWindow* Activate(QWidget* window) {
        QMdiSubWindow* sub = Client().addSubWindow(window);
        sub->show();
        Client().setActiveSubWindow(sub);
        return sub;
    }
};

TEST_F(FrameCommandsTest, TheEnabledCommandsFollowTheOpenFileAndTheActiveWindow) {
    EXPECT_EQ(Enabled(), kAlways) << "no file";
    ASSERT_EQ(LoadBytes(SampleHintFile(), state.currentDocument), LoadResult::Ok);
    EXPECT_EQ(Enabled(), Plus(kAlways, kWithAFile)) << "a file";
    state.currentDocument.Clear();
    EXPECT_EQ(Enabled(), kAlways) << "the file closed again";
    MetaTextHunk hunk("Shown", nullptr, SUBJECT);
    const QMdiSubWindow* text = Activate(new TextWindow(hunk, "SUBJECT", state.settings));
    EXPECT_EQ(Enabled(), Plus(kAlways, kWithATextWindow)) << "a text window active";
    Activate(new QLabel("plain"));
    EXPECT_EQ(Enabled(), kAlways) << "a window of another kind active";
    delete text;
}

TEST_F(FrameCommandsTest, ADisabledCommandCalledDirectlyDoesNothing) {
    const QSignalSpy reset(&Client(), &DocumentArea::HintMemoryChanged);
    Client().Command(CM_RESETHINTMEMORY);
    EXPECT_TRUE(reset.empty());
}

}  // namespace
}  // namespace klu::test
