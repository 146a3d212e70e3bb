#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "app_state.h"
#include "model/document_observer.h"
#include "user_dialogs.h"

namespace klu {

class TChild;
class TItemsHunk;
class TKLUClient;

inline constexpr char kMemoryBrokenText[] = "My memory is broken";
inline constexpr char kMemoryBrokenTitle[] = "Oops";

// The message for data of a kind this reader cannot show, from the version of the current file
// (nothing when the file has no version hunk).
std::string UnknownDataText(const std::optional<std::string>& version);

// Shows hunks as child windows of the MDI client, and knows which window shows which hunk.
class WindowHunkUi : public DocumentObserver {
  public:
    WindowHunkUi(TKLUClient& client, AppState& state, UserDialogs& dialogs);
    // The windows outlive it never: they go with the frame, before it.
    WindowHunkUi(const WindowHunkUi&) = delete;
    WindowHunkUi& operator=(const WindowHunkUi&) = delete;

    // The window that shows the hunk, or none.
    TChild* ViewOf(const THunk& hunk) const;

    void OpenWindow(THunk& hunk) override;
    void ShowUnknownData(THunk& hunk) override;
    void ShowOverlay(TOverlayHunk& overlay) override;
    void ShowGif(TGIFaHunk& gif) override;
    void PlaySound(TSoundHunk& sound) override;
    void CloseView(THunk& hunk) override;
    void OpenHintFile(const std::string& path) override;

  private:
    // The common open of an item hunk, without the memory check: a new window, or the one
    // that shows it already brought to the front.
    void OpenOrRaise(TItemsHunk& hunk);
    void Raise(TChild& view);
    // Records the new window of the hunk, until either goes.
    void Show(THunk& hunk, TChild& window);

    TKLUClient& client;
    AppState& state;
    UserDialogs& dialogs;
    // Kept here, not in each hunk: a tree holds a hunk per question, and few are ever shown.
    std::unordered_map<const THunk*, TChild*> views_;
};

}  // namespace klu
