#pragma once

#include <memory>
#include <string>

#include "app_state.h"
#include "main_window.h"
#include "user_dialogs.h"
#include "hunk_windows.h"

namespace klu {

// Owns the program's state and its main window, and keeps the order of start-up and
// shutdown. The QApplication itself is made by the caller.
class ReaderApp {
  public:
    ReaderApp(std::string program_folder, std::string command_argument,
            std::unique_ptr<UserDialogs> dialogs,
            const EnvironmentLookup& environment = ProcessEnvironment);
    ~ReaderApp();
    ReaderApp(const ReaderApp&) = delete;
    ReaderApp& operator=(const ReaderApp&) = delete;

    // Builds the frame, loads the help file and the settings and enters the listing folder.
    // enter_list_folder is off where the process must keep its current folder (tests).
    void BuildMainWindow(bool enter_list_folder = true);
    // Shows the frame and acts on the command line.
    void ShowMainWindow();

    AppState& State() { return state_; }
    MainWindow* Window() const { return frame_.get(); }

  private:
    // Every file the reader opens, and its help file, shows its hunks through observer.
    void ShowDocumentsIn(DocumentObserver* observer);
    void EnterListFolder();
    // Puts the main window where it was last time, or on a good part of the screen at first.
    void PlaceMainWindow();
    // Keeps where the main window is in the settings, to be written with them.
    void KeepMainWindowPlace();

    AppState state_;
    std::unique_ptr<UserDialogs> dialogs_;
    std::unique_ptr<MainWindow> frame_;
    std::unique_ptr<HunkWindows> hunkWindows_;
};

// "Application name" for the window system and the profile.
inline constexpr char kApplicationName[] = "KLUWIN";

}  // namespace klu
