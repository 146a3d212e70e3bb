#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "model/store/settings.h"

namespace klu {

class Hunk;

// The widget of a window that shows a hunk, inside the document area. Its title is the hunk's
// name, its icon follows its kind name, and while it lives the hunk's view points back at it.
class HunkWindow : public QWidget {
    Q_OBJECT

  public:
    HunkWindow(Hunk& hunk, std::string kind_name, const Settings& settings, QWidget* parent = nullptr);
    ~HunkWindow() override;

    Hunk& ShownHunk() const { return hunk_; }
    const std::string& KindName() const { return kindName_; }

    // Run once the window is in its frame: the icon, then the fonts.
    virtual void SetupWindow();
    // Makes the window's fonts from the settings; run again when the settings change.
    virtual void CreateFonts() {}
    // Gives the keyboard focus to the control that held it last, or else to the one that takes
    // it first; the window itself does nothing with keys.
    void RestoreFocus();

    // The window as the MDI area holds it: its sub-window, or itself outside an MDI area.
    QWidget& Frame();
    // Closes the window; it is deleted once the event loop gets to it.
    void CloseWindow();
    // Deletes the window at once: the hunk it shows is going away.
    void DestroyWindow();

  protected:
    // The control that takes the focus when none held it yet.
    virtual QWidget* DefaultFocusWidget() { return nullptr; }

    // Windows that show a hunk of their own (the listing, the search results) hand it over
    // here; it goes after the window's widgets, which may still look at it as they go.
    void TakeOwnership(std::unique_ptr<Hunk> hunk);

    const Settings& settings_;

  private:
    Hunk& hunk_;
    std::string kindName_;
    std::unique_ptr<Hunk> ownedHunk_;
};

}  // namespace klu
