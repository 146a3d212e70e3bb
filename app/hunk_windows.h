#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "app_state.h"
#include "model/document/document_observer.h"
#include "user_dialogs.h"

namespace klu {

class HunkWindow;
class ItemsHunk;
class DocumentArea;

inline constexpr char kMemoryBrokenText[] = "My memory is broken";
inline constexpr char kMemoryBrokenTitle[] = "Oops";

// The message for data of a kind this reader cannot show, from the version of the current file
// (nothing when the file has no version hunk).
std::string UnknownDataText(const std::optional<std::string>& version);

// The windows of the document's hunks in the document area: opens, raises and closes them as
// the document asks, and knows which window shows which hunk.
class HunkWindows : public DocumentObserver {
  public:
    HunkWindows(DocumentArea& client, AppState& state, UserDialogs& dialogs);
    // The windows outlive it never: they go with the frame, before it.
    HunkWindows(const HunkWindows&) = delete;
    HunkWindows& operator=(const HunkWindows&) = delete;

    // The window that shows the hunk, or none.
    HunkWindow* ViewOf(const Hunk& hunk) const;

    void OpenWindow(Hunk& hunk) override;
    void ShowUnknownData(Hunk& hunk) override;
    void ShowOverlay(OverlayHunk& overlay) override;
    void ShowGif(GIFaHunk& gif) override;
    void PlaySound(SoundHunk& sound) override;
    void CloseView(Hunk& hunk) override;
    void OpenHintFile(const std::string& path) override;

  private:
    // The common open of an item hunk, without the memory check: a new window, or the one
    // that shows it already brought to the front.
    void OpenOrRaise(ItemsHunk& hunk);
    void Raise(HunkWindow& view);
    // Records the new window of the hunk, until either goes.
    void Show(Hunk& hunk, HunkWindow& window);

    DocumentArea& client;
    AppState& state;
    UserDialogs& dialogs;
    // Kept here, not in each hunk: a tree holds a hunk per question, and few are ever shown.
    std::unordered_map<const Hunk*, HunkWindow*> views_;
};

}  // namespace klu
