#pragma once

#include <string>

namespace klu {

class Hunk;
class OverlayHunk;
class GIFaHunk;
class SoundHunk;

// What shows the hunks of a document: the reader's windows, or a recorder in tests. A document
// holds one (none shows nothing) and its hunks reach it through the top of their tree. What an
// observer does not take up shows nothing.
class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    // The common open of an item hunk: a window that shows its children.
    virtual void OpenWindow(Hunk&) {}
    // The message for a hunk whose data this reader cannot show.
    virtual void ShowUnknownData(Hunk&) {}
    virtual void ShowOverlay(OverlayHunk&) {}
    // A GIF picture in a window of its own.
    virtual void ShowGif(GIFaHunk&) {}
    virtual void PlaySound(SoundHunk&) {}
    // Closes the window that shows the hunk; called before the hunk goes away.
    virtual void CloseView(Hunk&) {}
    // Opens another hint file, as the Open command would (an entry of the verbose listing).
    virtual void OpenHintFile(const std::string&) {}
};

}  // namespace klu
