#include "hunk_printer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <string>

#include "user_dialogs.h"
#include "views/hunk_printout.h"
#include "views/wait_cursor.h"
#include "views/windows1252.h"

namespace klu {
namespace {

constexpr char kPrintTitle[] = "Print";

// What went wrong, naming the file for printing to a file and the printer otherwise.
std::string FailureText(const QPrinter& printer, bool started) {
    const std::string file = printer.outputFileName().toStdString();
    if (!file.empty()) {
        return started ? "Printing to \"" + file + "\" failed before the last page."
                       : "Unable to print to \"" + file + "\". The file could not be written.";
    }
    std::string name = printer.printerName().toStdString();
    if (name.empty()) name = "the printer";
    return started ? "Printing on " + name + " failed before the last page."
                   : "Unable to print on " + name + ". The printer could not be started.";
}

}  // namespace

HunkPrinter::HunkPrinter() = default;

HunkPrinter::~HunkPrinter() = default;

QPrinter& HunkPrinter::Printer() {
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

bool HunkPrinter::Print(UserDialogs& dialogs, HunkPrintout& printout) {
    Printer();
    int page_count = 0;
    {
        WaitCursor wait;
        page_count = printout.GetDialogInfo(*printer);
    }
    if (!dialogs.AskPrint(*printer, page_count)) return false;

    WaitCursor wait;
    // The dialog may have chosen another printer or other paper.
    printout.SetPrintParams(*printer);
    const bool range = printer->printRange() == QPrinter::PageRange;
    const int first = range && printer->fromPage() > 0 ? printer->fromPage() : 1;
    const int last = range && printer->toPage() > 0 ? printer->toPage() : printout.PageCount();

    printer->setDocName(FromWindows1252(printout.Title()));
    QPainter painter;
    if (!painter.begin(printer.get())) {
        dialogs.ShowMessage(FailureText(*printer, false), kPrintTitle, MessageIcon::Stop,
                            MessageButtons::Ok);
        return false;
    }
    bool failed = false;
    for (int page = first; page <= last && printout.HasPage(page); ++page) {
        if (page != first && !printer->newPage()) {
            failed = true;
            break;
        }
        printout.PrintPage(painter, page);
    }
    if (!painter.end()) failed = true;
    if (failed || printer->printerState() == QPrinter::Error) {
        dialogs.ShowMessage(FailureText(*printer, true), kPrintTitle, MessageIcon::Stop,
                            MessageButtons::Ok);
        return false;
    }
    return true;
}

bool HunkPrinter::Setup(UserDialogs& dialogs) {
    return dialogs.AskPrinterSetup(Printer());
}

}  // namespace klu
