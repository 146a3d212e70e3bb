#include "window_hunk_ui.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <array>

#include "command_texts.h"
#include "open_hint_file.h"
#include "klu_client.h"
#include "menu_table.h"
#include "model/hunk_kind.h"
#include "model/items_hunk.h"
#include "model/media_hunks.h"
#include "model/file_range.h"
#include "model/windows1252.h"
#include "picture_source.h"
#include "play_sound.h"
#include "views/gif_child.h"
#include "views/hint_child.h"
#include "views/string_control.h"

namespace klu {

namespace {

constexpr std::array<const char*, 4> kKnownVersions = {"88a", "91a", "95a", "96a"};

bool IsKnownVersion(const std::string& version) {
    for (const char* known : kKnownVersions) {
        if (version == known) return true;
    }
    return false;
}

}  // namespace

std::string UnknownDataText(const std::optional<std::string>& version) {
    if (!version || IsKnownVersion(*version))
        return "This information is stored in an unknown data type, but the hint file appears to "
               "be written in a supported KLU file format.  Contact the KLU with the name of this "
               "file for technical support.";
    return "This information is stored in an unknown data type.  You will need to upgrade to a "
           "KLU reader that supports the KLU " +
           *version + " format in order to read this information.";
}

WindowHunkUi::WindowHunkUi(TKLUClient& mdi_client, AppState& app_state, UserDialogs& user_dialogs)
    : client(mdi_client), state(app_state), dialogs(user_dialogs) {}

TChild* WindowHunkUi::ViewOf(const THunk& hunk) const {
    const auto found = views_.find(&hunk);
    return found == views_.end() ? nullptr : found->second;
}

void WindowHunkUi::Show(THunk& hunk, TChild& window) {
    views_[&hunk] = &window;
    hunk.hasView = 1;
    // A hunk in the table is still there: one that goes closes its window first (CloseView).
    QObject::connect(&window, &QObject::destroyed, [this, shown = &hunk, &window] {
        const auto found = views_.find(shown);
        if (found == views_.end() || found->second != &window) return;
        views_.erase(found);
        shown->hasView = 0;
    });
}

void WindowHunkUi::OpenWindow(THunk& hunk) {
    auto* items = dynamic_cast<TItemsHunk*>(&hunk);
    if (!items) {
        ShowUnknownData(hunk);
        return;
    }
    OpenOrRaise(*items);
    if (!hunk.StateValid())
        dialogs.ShowMessage(kMemoryBrokenText, kMemoryBrokenTitle, MessageIcon::None,
                            MessageButtons::Ok);
}

void WindowHunkUi::Raise(TChild& view) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(&view.Frame())) client.BringToFront(*frame);
    view.RestoreFocus();
}

void WindowHunkUi::OpenOrRaise(TItemsHunk& hunk) {
    if (TChild* view = ViewOf(hunk)) {
        Raise(*view);
        return;
    }
    auto* window = new THintChild(hunk, std::string(KindName(hunk.GetType())), state.settings);
    // Pictures are read from the file their hunk came from: the help file's from the help file.
    window->Control().SetPicturePath(PictureFileOf(state, hunk));
    Show(hunk, *window);
    client.AddChildWindow(*window);
}

// An overlay is painted onto its picture in the window of the picture's parent, which opens
// (or comes to the front) first.
void WindowHunkUi::ShowOverlay(TOverlayHunk& overlay) {
    THunk* picture = overlay.parent;
    auto* shown = dynamic_cast<TItemsHunk*>(picture ? picture->parent.Hunk() : nullptr);
    if (!shown) return;
    OpenOrRaise(*shown);
    if (auto* window = dynamic_cast<TStringChild*>(ViewOf(*shown)))
        window->Control().ShowOverlay(overlay);
}

void WindowHunkUi::ShowUnknownData(THunk& hunk) {
    const THunk* version = state.currentDocument.FindByType(VERHUNK);
    const auto version_name =
        version ? std::optional(Windows1252ToUtf8(version->GetName())) : std::nullopt;
    dialogs.ShowMessage(UnknownDataText(version_name), Windows1252ToUtf8(hunk.GetName()),
                        MessageIcon::Stop, MessageButtons::Ok);
}

// GIF data and sounds are read from the file of their hunk, as pictures are. A GIF window keeps
// its data, which Save Window writes out as it is.
void WindowHunkUi::ShowGif(TGIFaHunk& gif) {
    if (TChild* view = ViewOf(gif)) {
        Raise(*view);
        return;
    }
    std::vector<char> bytes;
    const RangeResult read =
        ReadFileRange(PictureFileOf(state, gif), gif.dataOffset, gif.dataLength, bytes);
    if (!read.Ok()) {
        dialogs.ShowMessage("The picture was not read.  " + read.message, kErrorTitle,
                            MessageIcon::Stop, MessageButtons::Ok);
        return;
    }
    auto* window = new TGifChild(
        gif, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), state.settings);
    Show(gif, *window);
    client.AddChildWindow(*window);
}

void WindowHunkUi::PlaySound(TSoundHunk& sound) {
    PlaySoundHunk(dialogs, PictureFileOf(state, sound), sound);
}

void WindowHunkUi::CloseView(THunk& hunk) {
    const auto found = views_.find(&hunk);
    if (found == views_.end()) return;
    TChild* view = found->second;
    views_.erase(found);
    view->DestroyWindow();
}

void WindowHunkUi::OpenHintFile(const std::string& path) {
    client.OpenHintFile(path);
}

}  // namespace klu
