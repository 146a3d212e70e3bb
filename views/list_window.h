#pragma once

#include <memory>
#include <string>
#include <vector>

#include "text_window.h"

class QKeyEvent;
class QLineEdit;

namespace klu {

class KLUObject;
class MetaTextHunk;

// A window that shows a hunk the program built itself, every entry at once; a click on an entry
// opens it like any link. The window owns the hunk. It has no button: when it opens, and after
// Tab has gone past the last entry, its text holds the focus with no entry marked, so that Enter
// does nothing, Tab marks the first entry, Shift+Tab the last, and Esc closes the window.
class ListWindow : public TextWindow {
    Q_OBJECT

  public:
    ListWindow(std::unique_ptr<MetaTextHunk> shown, std::string kind_name,
               const Settings& settings, QWidget* parent = nullptr);

    void SetupWindow() override;
    bool FocusButton(bool forward) override;
};

// The verbose listing of a folder's hint files, one row per file, only the rows in
// view laid out and drawn. A filter field above the rows ("Filter listing"; Ctrl+K goes there)
// keeps the entries whose titles hold what is typed, letter case and accents ignored: Down moves
// to the first entry, Enter opens it, Esc empties the field (or, empty, goes back to the rows).
// A row's tooltip gives the file's path.
class FileListWindow : public ListWindow {
    Q_OBJECT

  public:
    FileListWindow(std::unique_ptr<MetaTextHunk> listing, const Settings& settings,
               QWidget* parent = nullptr);

    QLineEdit& Filter() const { return *filter_; }
    // Ctrl+K, which the main menu hands on while the listing has the keys.
    void FocusFilter();

  protected:
    void LayOut() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Shows the entries whose titles hold the text: they come first among the listing's
    // children, in listing order, and only they are visible.
    void ApplyFilter(const QString& text);
    bool FilterKey(const QKeyEvent& key);

    QLineEdit* filter_;
    std::vector<KLUObject*> entries_;       // in listing order
    std::vector<std::string> foldedTitles_;  // made when the filter is first used
};

// The results of a search.
class SearchResultsWindow : public ListWindow {
    Q_OBJECT

  public:
    SearchResultsWindow(std::unique_ptr<MetaTextHunk> results, const Settings& settings,
               QWidget* parent = nullptr);
};

}  // namespace klu
