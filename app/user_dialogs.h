#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/store/settings.h"

class QPrinter;

namespace klu {

enum class MessageIcon { None, Information, Warning, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, OkHelp };
enum class MessageAnswer { Ok, Cancel, Yes, No, Help };

// A font the user picked: the record to keep and its size in tenths of a point, which the
// record's whole points may round down.
struct ChosenFont {
    FontRecord font;
    int tenthsOfPoint = 0;
};

// The colour dialog's sixteen custom colours, 0x00BBGGRR each.
using CustomColors = std::array<uint32_t, 16>;

// Everything that asks the user in a modal dialog, or hands work to the desktop, goes through
// here, so that the commands can be tried without anyone answering.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // Shows a message box. Text and title are UTF-8: hint text (Windows-1252) is converted before
    // it goes into a message. A wait cursor is put away while the box waits for the user, so that
    // nobody is told to wait while the program waits for them.
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons);

    // The path the user picked, or nothing when the dialog was cancelled. filter is a list of
    // "Description (*.ext)" entries separated by ";;".
    virtual std::optional<std::string> AskOpenFile(const std::string& title,
                                                   const std::string& folder,
                                                   const std::string& filter) = 0;
    // The file to write, or nothing when cancelled. default_suffix ("txt") is added to a name
    // typed without one. An existing file is accepted after the user confirmed replacing it when
    // confirm_replace is set, else at once.
    virtual std::optional<std::string> AskSaveFile(const std::string& filter,
                                                   const std::string& default_suffix,
                                                   bool confirm_replace) = 0;
    // A folder, ending in "/", or nothing when cancelled.
    virtual std::optional<std::string> AskFolder(const std::string& prompt) = 0;
    // One line of text of at most max_length characters, or nothing when cancelled.
    virtual std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                               int max_length) = 0;
    // One of the items, by its index, picked from a list; nothing when cancelled.
    virtual std::optional<size_t> AskChoice(const std::string& title, const std::string& prompt,
                                            const std::vector<std::string>& items) = 0;
    // The font dialog, started on current; nothing when cancelled.
    virtual std::optional<ChosenFont> AskFont(const FontRecord& current) = 0;
    // The colour dialog, started on initial (0x00BBGGRR); the user's changes to the custom
    // colours are kept in custom even when the dialog is cancelled.
    virtual std::optional<uint32_t> AskColor(uint32_t initial, CustomColors& custom) = 0;

    // The print dialog for a document of page_count pages, on printer, which it may change (the
    // chosen printer, the page range). False when cancelled.
    virtual bool AskPrint(QPrinter& printer, int page_count) = 0;
    // The printer setup dialog; false when cancelled.
    virtual bool AskPrinterSetup(QPrinter& printer) = 0;

    // Opens the address in the user's web browser; false when that failed.
    virtual bool OpenWebAddress(const std::string& url) = 0;

    // The About box.
    virtual void ShowAbout() = 0;
    // The Options dialog on settings: true when closed with OK, which has written the user's
    // choices (main font, link colour, counting, hint memory) into settings.
    virtual bool RunOptions(Settings& settings) = 0;

  protected:
    // The message box itself.
    virtual MessageAnswer ShowMessageBox(const std::string& text, const std::string& title,
                                         MessageIcon icon, MessageButtons buttons) = 0;
};

}  // namespace klu
