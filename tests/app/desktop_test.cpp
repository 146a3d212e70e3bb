// At home on the desktop: titles, the Windows menu, icons, the About box.
#include <QLabel>
#include <QScrollBar>

#include <filesystem>

#include "app/about_dialog.h"
#include "app/button_icons.h"
#include "app/command_ids.h"
#include "app/menu_builder.h"
#include "app/menu_table.h"
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

// The desktop's icon theme first, by the freedesktop names; the program's own pictograms where
// it has none: one of its own for every button and window kind (a GIF's window and a picture's
// share one), drawn at the pixels asked for at normal and doubled scale.
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

}  // namespace
}  // namespace klu::test
