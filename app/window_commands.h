#pragma once

namespace klu {

class AppState;
class GifWindow;
class HunkPrinter;
class TextWindow;
class UserDialogs;

// The commands of the Windows menu that act on the current text window.

// Appends the window's title and the whole hunk as text to a file the user picks; a window that
// shows one picture writes it as a PNG file instead, or as a bitmap file when the name ends in
// ".bmp". A GIF window writes the picture's data unchanged.
// None may go to the open hint file or the help file.
void SaveWindow(TextWindow& window, const AppState& state, UserDialogs& dialogs);
void SaveWindow(const GifWindow& window, const AppState& state, UserDialogs& dialogs);
// Prints what the window shows (a question only up to its last revealed hint).
void PrintWindow(TextWindow& window, AppState& state, UserDialogs& dialogs, HunkPrinter& printer);
// Puts what the window shows on the clipboard: its text, or its one picture.
void CopyWindow(TextWindow& window);
void CopyWindow(const GifWindow& window);

}  // namespace klu
