#pragma once

#include <string>

namespace klu {

class THunk;
class TOverlayHunk;
class TGIFaHunk;
class TSoundHunk;

// What shows the hunks of a document: the reader's windows, or a recorder in tests. A document
// holds one (none shows nothing) and its hunks reach it through the top of their tree. What an
// observer does not take up shows nothing.
class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    // The common open of an item hunk: a window that shows its children.
    virtual void OpenWindow(THunk&) {}
    // The message for a hunk whose data this reader cannot show.
    virtual void ShowUnknownData(THunk&) {}
    virtual void ShowOverlay(TOverlayHunk&) {}
    // A GIF picture in a window of its own.
    virtual void ShowGif(TGIFaHunk&) {}
    virtual void PlaySound(TSoundHunk&) {}
    // Closes the window that shows the hunk; called before the hunk goes away.
    virtual void CloseView(THunk&) {}
    // Opens another hint file, as the Open command would (an entry of the verbose listing).
    virtual void OpenHintFile(const std::string&) {}
};

}  // namespace klu
