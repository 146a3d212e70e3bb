#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "app_state.h"
#include "model/document/hunk.h"
#include "user_dialogs.h"
#include "window_history.h"

namespace klu {

class HunkWindow;
class GifWindow;
class HunkPrinter;
class MetaTextHunk;
class TextWindow;
class TabLayout;

// The area that holds the open windows. It carries the file-level commands and decides, with the
// active window, which commands may run.
class DocumentArea : public QMdiArea {
    Q_OBJECT

  public:
    DocumentArea(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~DocumentArea() override;

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

    // The verbose listing of the listing folder; an open listing is only brought to the front.
    void CmVerboseListing();
    // Asks for another listing folder; an open listing of another folder is replaced.
    void CmListFolder();
    void CmFileInfo();
    // Exports the whole file as plain text to a file the user picks.
    void CmDecodeToText();
    // Exports the whole file as a web page that reveals one hint per press.
    void CmExportWebPage();
    // Asks for a phrase and shows the hunks that hold it in the find window.
    void CmFindInFile();
    void CmPrintFile();
    void CmPrinterSetup();
    void CmShowTopWindow();
    void CmResetHintMemory();
    void CmSetOptions();

    // Opens the help file's index, or its top window when it has none.
    void ShowHelpFile();
    void CmPrintHelpFile();
    void CmWebSite();
    // The Help button of the message about ZIP archives: the help file's subject about them.
    void HelpOnZipArchives();

    // The current child window when it shows text (the window commands work on it), or none.
    TextWindow* CurrentView() const;
    // The current child window when it shows a GIF picture, or none.
    GifWindow* CurrentGif() const;
    // Puts a new child window into the client: placed below and right of the one before (or a
    // tab), shown and made current.
    QMdiSubWindow* AddChildWindow(HunkWindow& window);
    // Makes an open window the current one: in its normal state as a separate window, filling
    // the area as a tab.
    void BringToFront(QMdiSubWindow& frame);

    // Tabs, or separate windows, as the settings keep the choice.
    void SetLayout(WindowLayout layout);
    WindowLayout Layout() const;

    // The application's printer, kept from one print command to the next.
    HunkPrinter& Printer() { return *printer_; }

  protected:
    void changeEvent(QEvent* event) override;

  signals:
    // The documents or the windows changed: the enabling must be looked at again.
    void StateChanged();
    // The current document's tree is about to go; nothing may hold on to its hunks.
    void DocumentClosing();
    // An open ended, with the current document loaded or empty.
    void DocumentOpened();
    // The revealed count of a hunk changed (of every hunk when it is none).
    void HintMemoryChanged(const klu::Hunk* hunk);

  private:
    // Where the next window goes, and the place after it.
    QRect NextChildPlace(const QMdiSubWindow& frame);
    void FitToContent(QMdiSubWindow& frame, TextWindow& window) const;
    static constexpr QSize kSmallestChild{300, 150};
    // Puts a window that had no place yet where a new one would go, fitted to what it shows.
    void Place(QMdiSubWindow& frame);
    void Cascade();
    void ArrangeIcons();
    // Prints the hunk's children through the print dialog.
    void PrintHunk(MetaTextHunk& hunk);
    // The help file's subject with the title, or its top when it has none; none without a
    // help file.
    Hunk* HelpSubjectOr(const std::string& title) const;
    // Notes the window's hunk in the history when it belongs to one of the documents (a document
    // is emptied before its hunks and their windows go).
    void RecordVisit(QMdiSubWindow* frame);
    // Opens the hunk that Back or Forward gave, as a link to it would.
    static void Revisit(Hunk* hunk);

    AppState& state_;
    UserDialogs& dialogs_;
    QPoint nextPlace_;    // where the next child window goes
    int placeRound_ = 0;  // how often the places started again at the top
    std::unique_ptr<HunkPrinter> printer_;
    TabLayout* layout_;
    WindowHistory history_;
};

}  // namespace klu
