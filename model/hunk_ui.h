#pragma once

#include <string>

namespace klu {

class THunk;
class TOverlayHunk;
class TGIFaHunk;
class TSoundHunk;

// The one way from the model to whatever shows hunks. The reader installs windows; tests install
// a recorder; with nothing installed, opening a hunk does nothing.
class HunkUi {
  public:
    virtual ~HunkUi() = default;
    // The common open of an item hunk: a window that shows its children.
    virtual void OpenWindow(THunk& hunk) = 0;
    // The message for a hunk whose data this reader cannot show.
    virtual void ShowUnknownData(THunk& hunk) = 0;
    virtual void ShowOverlay(TOverlayHunk& overlay) = 0;
    // A GIF picture in a window of its own.
    virtual void ShowGif(TGIFaHunk& gif) = 0;
    virtual void PlaySound(TSoundHunk& sound) = 0;
    // Closes the window that shows the hunk; called before the hunk goes away.
    virtual void CloseView(THunk& hunk) = 0;
    // Opens another hint file, as the Open command would (an entry of the verbose listing).
    virtual void OpenHintFile(const std::string& path) { (void)path; }
};

// Installs the interface (not owned); nullptr removes it.
void SetHunkUi(HunkUi* ui);
HunkUi* GetHunkUi();

}  // namespace klu
