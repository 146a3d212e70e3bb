#pragma once

namespace klu {

class AppState;
class TGifChild;
class TMyPrinter;
class TStringChild;
class UserDialogs;

// The commands of the Windows menu that act on the current text window.

// Appends the window's title and the whole hunk as text to a file the user picks; a window that
// shows one picture writes it as a PNG file instead, or as a bitmap file when the name ends in
// ".bmp". A GIF window writes the picture's data unchanged.
// None may go to the open hint file or the help file.
void SaveWindow(TStringChild& window, const AppState& state, UserDialogs& dialogs);
void SaveWindow(const TGifChild& window, const AppState& state, UserDialogs& dialogs);
// Prints what the window shows (a question only up to its last revealed hint).
void PrintWindow(TStringChild& window, AppState& state, UserDialogs& dialogs, TMyPrinter& printer);
// Puts what the window shows on the clipboard: its text, or its one picture.
void CopyWindow(TStringChild& window);
void CopyWindow(const TGifChild& window);

}  // namespace klu
