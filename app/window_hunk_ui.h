#pragma once

#include <optional>
#include <string>

#include "app_state.h"
#include "model/hunk_ui.h"
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

// Shows hunks as child windows of the MDI client.
class WindowHunkUi : public HunkUi {
  public:
    WindowHunkUi(TKLUClient& client, AppState& state, UserDialogs& dialogs);

    // The window that shows the hunk, or none.
    static TChild* ViewOf(const THunk& hunk);

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

    TKLUClient& client;
    AppState& state;
    UserDialogs& dialogs;
};

}  // namespace klu
