#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <string>

#include "app_state.h"
#include "user_dialogs.h"
#include "view_commands.h"

namespace klu {

// "TKLUClient": the MDI client area. It carries the file-level commands and decides, with the
// active child window, which commands may run.
class TKLUClient : public QMdiArea {
    Q_OBJECT

  public:
    TKLUClient(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The verbose listing and the find results; each clears itself when its window goes.
    QPointer<QMdiSubWindow> listWindow;
    QPointer<QMdiSubWindow> findWindow;

    // Whether the command may run now: the file-level ones only with a file loaded, the window
    // ones only when the current child window handles them.
    bool IsCommandEnabled(int id) const;
    // Runs a command of the menu, the accelerators or the control bar.
    void Command(int id);

    // Asks for a hint file and opens it.
    void CmFileOpen();
    // The one way a hint file is opened.
    void OpenHintFile(const std::string& path);
    // Opens the help file's index.
    void ShowHelpFile();

    // The current child window's part in the command chain, or none.
    ViewCommands* CurrentView() const;

  signals:
    // The documents or the windows changed: the enabling must be looked at again.
    void StateChanged();

  private:
    void NotAvailableYet(const std::string& what);
    void ArrangeIcons();

    AppState& state_;
    UserDialogs& dialogs_;
};

// The message of a command this version cannot carry out yet.
std::string NotAvailableText(const std::string& what);
inline constexpr char kNotAvailableTitle[] = "KLU Reader";

}  // namespace klu
