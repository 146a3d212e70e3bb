#pragma once

#include <memory>

#include "child_window_string.h"

namespace klu {

class TMetaTextHunk;

// A window that shows a hunk the program built itself, every entry at once; a click on an entry
// opens it like any link. The window owns the hunk. It has no button: when it opens, and after
// Tab has gone past the last entry, its text holds the focus with no entry marked, so that Enter
// does nothing, Tab marks the first entry, Shift+Tab the last, and Esc closes the window.
class TListChild : public TStringChild {
    Q_OBJECT

  public:
    TListChild(std::unique_ptr<TMetaTextHunk> shown, std::string kind_name,
               const Settings& settings, QWidget* parent = nullptr);

    void SetupWindow() override;
    bool FocusButton(bool forward) override;
};

// "TFileChild": the verbose listing of a folder's hint files.
class TFileChild : public TListChild {
    Q_OBJECT

  public:
    TFileChild(std::unique_ptr<TMetaTextHunk> listing, const Settings& settings,
               QWidget* parent = nullptr);
};

// "TFindChild": the results of a search.
class TFindChild : public TListChild {
    Q_OBJECT

  public:
    TFindChild(std::unique_ptr<TMetaTextHunk> results, const Settings& settings,
               QWidget* parent = nullptr);
};

}  // namespace klu
