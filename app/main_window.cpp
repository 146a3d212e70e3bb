#include "main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "after_first_paint.h"
#include "button_icons.h"
#include "command_ids.h"
#include "command_line.h"
#include "klu_icon.h"
#include "menu_builder.h"
#include "menu_table.h"
#include "model/document/hunk.h"
#include "mouse_navigation.h"
#include "views/list_window.h"
#include "views/windows1252.h"

namespace klu {

namespace {

const QString kFrameTitle = QStringLiteral("KLU Reader");

}  // namespace

MainWindow::MainWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state) {
    setWindowTitle(kFrameTitle);
    // The icon's pictures are read once the window is up.
    RunAfterFirstPaint(*this, [this] { setWindowIcon(KluIcon()); });
    menuBar()->setObjectName(QStringLiteral("KLU_MENU"));

    client_ = new DocumentArea(state, dialogs, this);
    setCentralWidget(client_);

    BuiltMenu menu = BuildKluMenu(*menuBar());
    actions_ = std::move(menu.actions);
    popups_ = std::move(menu.popups);
    for (const auto& [id, action] : actions_) {
        connect(action, &QAction::triggered, this, [this, id = id] { Dispatch(id); });
    }
    for (QMenu* popup : popups_)
        connect(popup, &QMenu::aboutToShow, this, &MainWindow::UpdateMenus);

    QAction* exit = Action(CM_EXIT);
    QMenu* fileMenu = popups_.front();
    recentFiles_ = std::make_unique<RecentFileMenu>(*fileMenu, *exit, state.recentFiles,
                                                    [this](int index) { OpenRecentFile(index); });
    connect(fileMenu, &QMenu::aboutToShow, this, &MainWindow::UpdateRecentFiles);
    QMenu* windowsMenu = popups_.at(PopupIndexOf(CM_CASCADECHILDREN));
    windowList_ = std::make_unique<WindowListMenu>(*windowsMenu, *client_);
    connect(windowsMenu, &QMenu::aboutToShow, this, [this] { windowList_->Refresh(); });

    QFont statusFont = statusBar()->font();
    statusFont.setPointSize(10);
    statusFont.setBold(false);
    statusFont.setItalic(false);
    statusBar()->setFont(statusFont);

    BuildControlBar();

    // The two layouts are a choice of one, its item checked in the menu.
    auto* layouts = new QActionGroup(this);
    for (int id : {CM_LAYOUTTABS, CM_LAYOUTWINDOWS}) {
        Action(id)->setCheckable(true);
        layouts->addAction(Action(id));
    }
    new MouseNavigation(*this, *Action(CM_GOBACK), *Action(CM_GOFORWARD));
    contents_ = new ContentsPane(state, *client_, this);
    addDockWidget(Qt::LeftDockWidgetArea, contents_);
    Action(CM_VIEWCONTENTS)->setCheckable(true);

    connect(client_, &DocumentArea::StateChanged, this, &MainWindow::UpdateMenus);
    connect(client_, &QMdiArea::subWindowActivated, this, &MainWindow::UpdateMenus);
    UpdateMenus();
}

// The client outlives this object's members while the base class deletes the children, and
// closing them would otherwise ask for the enabling of actions already gone.
MainWindow::~MainWindow() {
    disconnect(client_, nullptr, this, nullptr);
}

QAction* MainWindow::Action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::BuildControlBar() {
    controlBar_ = new ControlBar(this);
    const bool themed = DesktopNamesIconTheme();
    for (const ControlBarSlot& slot : ControlBarLayout()) {
        if (slot.id == 0) {
            controlBar_->AddGap(slot.gap);
            continue;
        }
        QAction* action = Action(slot.id);
        action->setIcon(themed ? ButtonIcon(slot.id) : ButtonPictogram(slot.id));
        action->setIconText(action->toolTip());  // the button's name, without the shortcut
        controlBar_->AddButton(action);
    }
    addToolBar(Qt::TopToolBarArea, controlBar_);
    if (!themed) RunAfterFirstPaint(*this, [this] { LookUpButtonIcons(); });
}

// An icon the fallback theme does have replaces the pictogram.
void MainWindow::LookUpButtonIcons() {
    for (const ControlBarSlot& slot : ControlBarLayout()) {
        if (slot.id == 0) continue;
        const QIcon icon = ButtonIcon(slot.id);
        if (!icon.name().isEmpty()) Action(slot.id)->setIcon(icon);
    }
}

void MainWindow::UpdateMenus() {
    for (const auto& [id, action] : actions_)
        action->setEnabled(client_->IsCommandEnabled(id));
    const bool tabs = client_->Layout() == WindowLayout::Tabs;
    Action(CM_LAYOUTTABS)->setChecked(tabs);
    Action(CM_LAYOUTWINDOWS)->setChecked(!tabs);
    Action(CM_VIEWCONTENTS)->setChecked(!contents_->isHidden());
    // The document first, as desktop programs name their windows.
    const Hunk* root = state_.currentDocument.GetRoot();
    setWindowTitle(root ? FromWindows1252(root->GetName()) + QStringLiteral(" - ") + kFrameTitle
                        : kFrameTitle);
}

void MainWindow::UpdateRecentFiles() {
    recentFiles_->Refresh();
}

void MainWindow::Dispatch(int id) {
    switch (id) {
        case CM_EXIT:
            close();
            return;
        case CM_VIEWCONTENTS:
            contents_->setVisible(contents_->isHidden());
            return;
        case CM_FILTERCONTENTS:
            FocusFilter();
            return;
        default:
            break;
    }
    client_->Command(id);
}

// Ctrl+K goes to the filter of what the player is reading: the listing's while the listing has
// the keys, else the contents'.
void MainWindow::FocusFilter() {
    QMdiSubWindow* active = client_->activeSubWindow();
    auto* listing = active ? qobject_cast<FileListWindow*>(active->widget()) : nullptr;
    if (listing && listing->isAncestorOf(QApplication::focusWidget())) {
        listing->FocusFilter();
    } else {
        contents_->FocusFilter();
    }
}

void MainWindow::OpenRecentFile(int index) {
    if (std::optional<std::string> path = state_.recentFiles.Entry(index))
        client_->OpenHintFile(*path);
    UpdateMenus();
}

void MainWindow::RunCommandLine() {
    const CommandLineAction action = ParseCommandArgument(state_.commandArgument);
    switch (action.kind) {
        case CommandLineAction::ShowHelp:
            client_->ShowHelpFile();
            break;
        case CommandLineAction::VerboseListing:
            client_->Command(CM_VERBOSELISTING);
            break;
        case CommandLineAction::OpenFile:
            client_->OpenHintFile(action.path);
            break;
        case CommandLineAction::None:
            break;
    }
    UpdateMenus();
}

}  // namespace klu
