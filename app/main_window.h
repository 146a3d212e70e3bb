#pragma once

#include <QMainWindow>
#include <map>
#include <memory>

#include "app_state.h"
#include "contents_pane.h"
#include "control_bar.h"
#include "document_area.h"
#include "recent_file_menu.h"
#include "user_dialogs.h"
#include "window_list_menu.h"

namespace klu {

// The main window: the menu, the control bar, the status bar and the document area.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    DocumentArea& Client() const { return *client_; }
    ContentsPane& Contents() const { return *contents_; }
    // The action of a command of KLU_MENU, or none.
    QAction* Action(int id) const;
    // The pop-ups of KLU_MENU, top to bottom.
    const std::vector<QMenu*>& Popups() const { return popups_; }

    // Enables every command from the state of the program and of the current child window, and
    // names the open file in the title.
    void UpdateMenus();
    // Puts the recent files into the File pop-up.
    void UpdateRecentFiles();
    // Acts on the command-line argument; run once the frame is shown.
    void RunCommandLine();

  private:
    void BuildControlBar();
    void LookUpButtonIcons();
    void Dispatch(int id);
    void FocusFilter();
    void OpenRecentFile(int index);

    AppState& state_;
    DocumentArea* client_ = nullptr;
    ControlBar* controlBar_ = nullptr;
    ContentsPane* contents_ = nullptr;
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> popups_;
    std::unique_ptr<RecentFileMenu> recentFiles_;
    std::unique_ptr<WindowListMenu> windowList_;
};

}  // namespace klu
