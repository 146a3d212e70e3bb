#pragma once

#include <memory>

#include "child_window_string.h"

namespace klu {

class THintButton;
class TMetaTextHunk;

// A window that shows a hunk the program built itself, every entry at once; a click on an entry
// opens it like any link. The window owns the hunk. Its button is never given a size, so it
// stays out of sight: it only holds the focus when the window opens, so that Tab reaches the
// first entry and Esc closes the window, while Enter does nothing.
class TListChild : public TStringChild {
    Q_OBJECT

  public:
    TListChild(std::unique_ptr<TMetaTextHunk> shown, std::string kind_name,
               const Settings& settings, QWidget* parent = nullptr);

    THintButton& Button() const { return *button_; }

    void SetupWindow() override;
    bool FocusButton(bool forward) override;

  private:
    THintButton* button_;
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
