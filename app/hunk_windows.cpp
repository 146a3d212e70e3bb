#include "hunk_windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <array>

#include "command_texts.h"
#include "open_hint_file.h"
#include "document_area.h"
#include "menu_table.h"
#include "model/format/hunk_kind.h"
#include "model/document/items_hunk.h"
#include "model/document/media_hunks.h"
#include "model/files/file_range.h"
#include "model/text/windows1252.h"
#include "picture_source.h"
#include "play_sound.h"
#include "views/gif_window.h"
#include "views/hint_window.h"
#include "views/text_view.h"

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

HunkWindows::HunkWindows(DocumentArea& document_area, AppState& app_state,
                         UserDialogs& user_dialogs)
    : client(document_area), state(app_state), dialogs(user_dialogs) {}

HunkWindow* HunkWindows::ViewOf(const Hunk& hunk) const {
    const auto found = views_.find(&hunk);
    return found == views_.end() ? nullptr : found->second;
}

void HunkWindows::Show(Hunk& hunk, HunkWindow& window) {
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

void HunkWindows::OpenWindow(Hunk& hunk) {
    auto* items = dynamic_cast<ItemsHunk*>(&hunk);
    if (!items) {
        ShowUnknownData(hunk);
        return;
    }
    OpenOrRaise(*items);
    if (!hunk.StateValid())
        dialogs.ShowMessage(kMemoryBrokenText, kMemoryBrokenTitle, MessageIcon::None,
                            MessageButtons::Ok);
}

void HunkWindows::Raise(HunkWindow& view) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(&view.Frame())) client.BringToFront(*frame);
    view.RestoreFocus();
}

void HunkWindows::OpenOrRaise(ItemsHunk& hunk) {
    if (HunkWindow* view = ViewOf(hunk)) {
        Raise(*view);
        return;
    }
    auto* window = new HintWindow(hunk, std::string(KindName(hunk.GetType())), state.settings);
    // Pictures are read from the file their hunk came from: the help file's from the help file.
    window->Control().SetPicturePath(PictureFileOf(state, hunk));
    Show(hunk, *window);
    client.AddChildWindow(*window);
}

// An overlay is painted onto its picture in the window of the picture's parent, which opens
// (or comes to the front) first.
void HunkWindows::ShowOverlay(OverlayHunk& overlay) {
    Hunk* picture = overlay.parent;
    auto* shown = dynamic_cast<ItemsHunk*>(picture ? picture->parent.ShownHunk() : nullptr);
    if (!shown) return;
    OpenOrRaise(*shown);
    if (auto* window = dynamic_cast<TextWindow*>(ViewOf(*shown)))
        window->Control().ShowOverlay(overlay);
}

void HunkWindows::ShowUnknownData(Hunk& hunk) {
    const Hunk* version = state.currentDocument.FindByType(VERHUNK);
    const auto version_name =
        version ? std::optional(Windows1252ToUtf8(version->GetName())) : std::nullopt;
    dialogs.ShowMessage(UnknownDataText(version_name), Windows1252ToUtf8(hunk.GetName()),
                        MessageIcon::Stop, MessageButtons::Ok);
}

// GIF data and sounds are read from the file of their hunk, as pictures are. A GIF window keeps
// its data, which Save Window writes out as it is.
void HunkWindows::ShowGif(GIFaHunk& gif) {
    if (HunkWindow* view = ViewOf(gif)) {
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
    auto* window = new GifWindow(
        gif, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), state.settings);
    Show(gif, *window);
    client.AddChildWindow(*window);
}

void HunkWindows::PlaySound(SoundHunk& sound) {
    PlaySoundHunk(dialogs, PictureFileOf(state, sound), sound);
}

void HunkWindows::CloseView(Hunk& hunk) {
    const auto found = views_.find(&hunk);
    if (found == views_.end()) return;
    HunkWindow* view = found->second;
    views_.erase(found);
    view->DestroyWindow();
}

void HunkWindows::OpenHintFile(const std::string& path) {
    client.OpenHintFile(path);
}

}  // namespace klu
