#pragma once

#include <memory>

class QPrinter;

namespace klu {

class HunkPrintout;
class UserDialogs;

// The application's one printer: the printer the user chose, with its paper and options, kept
// from one print command to the next. The application makes it at start-up (after the Qt
// application object) and deletes it at the end; the Qt printer inside is made at its first use,
// since making one loads the system's printing support.
//
// Print Window, Print File and Print Help File each build a HunkPrintout and call Print;
// Printer Setup calls Setup.
class HunkPrinter {
  public:
    HunkPrinter();
    ~HunkPrinter();
    HunkPrinter(const HunkPrinter&) = delete;
    HunkPrinter& operator=(const HunkPrinter&) = delete;

    // Lays the printout out, shows the print dialog with its page count, and prints the pages
    // the user chose (all of them unless a range was given) on the printer chosen, laid out
    // again for it when it is another one. The print job is named by the printout's title.
    // True when the pages were printed; false when the dialog was cancelled or the printer
    // failed, which the user is told in a message (title "Print").
    bool Print(UserDialogs& dialogs, HunkPrintout& printout);
    // The printer setup dialog; false when cancelled.
    bool Setup(UserDialogs& dialogs);

    QPrinter& Printer();

  private:
    std::unique_ptr<QPrinter> printer;
};

}  // namespace klu
