#pragma once

#include <string>

namespace klu {

class THunk;
class TOverlayHunk;
class TGIFaHunk;
class TSoundHunk;

// What shows the hunks of a document: the reader's windows, or a recorder in tests. A document
// holds one (none shows nothing) and its hunks reach it through the top of their tree.
class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
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

}  // namespace klu
