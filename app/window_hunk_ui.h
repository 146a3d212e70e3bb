#pragma once

#include <QPoint>
#include <optional>
#include <string>

#include "app_state.h"
#include "model/hunk_ui.h"
#include "user_dialogs.h"

class QMdiArea;
class QMdiSubWindow;

namespace klu {

class TChild;

inline constexpr char kMemoryBrokenText[] = "My memory is broken";
inline constexpr char kMemoryBrokenTitle[] = "Oops";

// The message for data of a kind this reader cannot show, from the version of the current file
// (nothing when the file has no version hunk).
std::string UnknownDataText(const std::optional<std::string>& version);

// Shows hunks as child windows of the MDI client.
class WindowHunkUi : public HunkUi {
  public:
    WindowHunkUi(QMdiArea& client, AppState& state, UserDialogs& dialogs);

    // The window that shows the hunk, or none.
    static TChild* ViewOf(const THunk& hunk);

    void OpenWindow(THunk& hunk) override;
    void ShowUnknownData(THunk& hunk) override;
    void ShowOverlay(TOverlayHunk& overlay) override;
    void OfferGifSave(TGIFaHunk& gif) override;
    void PlaySound(TSoundHunk& sound) override;
    void CloseView(THunk& hunk) override;

  private:
    void PlaceNewWindow(QMdiSubWindow& frame);

    QMdiArea& client;
    AppState& state;
    UserDialogs& dialogs;
    QPoint nextPlace;  // where the next new window goes
};

}  // namespace klu
