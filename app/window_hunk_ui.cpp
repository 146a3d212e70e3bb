#include "window_hunk_ui.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <array>

#include "model/hunk_kind.h"
#include "model/items_hunk.h"
#include "model/media_hunks.h"
#include "model/png_size.h"
#include "views/hint_button.h"
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

// A new window takes three quarters of the client area and steps down and right from the one
// opened before it by a title bar's height, starting again at the top left once it would leave
// the client area, as the window system places new child windows.
void WindowHunkUi::PlaceNewWindow(QMdiSubWindow& frame) {
    const QSize room = client.viewport()->size();
    const QSize size(room.width() * 3 / 4, room.height() * 3 / 4);
    const int step = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame) + 4;
    if (nextPlace.x() + size.width() > room.width() ||
        nextPlace.y() + size.height() > room.height())
        nextPlace = QPoint(0, 0);
    frame.setGeometry(QRect(nextPlace, size));
    nextPlace += QPoint(step, step);
}

std::string UnknownDataText(const std::optional<std::string>& version) {
    if (!version || IsKnownVersion(*version))
        return "This information is stored in an unknown data type, but the hint file appears to "
               "be written in a supported KLU file format.  Contact the KLU with the name of this "
               "file for technical support.";
    return "This information is stored in an unknown data type.  You will need to upgrade to a "
           "KLU reader that supports the KLU " +
           *version + " format in order to read this information.";
}

WindowHunkUi::WindowHunkUi(QMdiArea& mdi_client, AppState& app_state, UserDialogs& user_dialogs)
    : client(mdi_client), state(app_state), dialogs(user_dialogs) {}

TChild* WindowHunkUi::ViewOf(const THunk& hunk) {
    return static_cast<TChild*>(hunk.view);
}

void WindowHunkUi::OpenWindow(THunk& hunk) {
    auto* items = dynamic_cast<TItemsHunk*>(&hunk);
    if (!items) {
        ShowUnknownData(hunk);
        return;
    }
    if (TChild* view = ViewOf(hunk)) {
        QWidget& frame = view->Frame();
        frame.showNormal();
        client.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(&frame));
        view->setFocus();
    } else {
        auto* window =
            new THintChild(*items, std::string(KindName(hunk.GetType())), state.settings);
        // Pictures take the room their header declares; the help file's pictures are read
        // from the help file.
        const std::string path =
            hunk.Top() == state.helpDocument.GetRoot() ? state.helpFilePath : state.currentPath;
        window->Control().SetPictureSize([path](const TPNGObject& picture) {
            const auto size = ReadPngSize(path, picture.dataOffset, picture.dataLength);
            return size ? TSize{size->width, size->height} : TSize{};
        });
        hunk.view = window;
        QMdiSubWindow* frame = client.addSubWindow(window);
        PlaceNewWindow(*frame);
        window->SetupWindow();
        frame->show();
        client.setActiveSubWindow(frame);
        window->Button().setFocus();
    }
    if (!hunk.StateValid())
        dialogs.ShowMessage(kMemoryBrokenText, kMemoryBrokenTitle, MessageIcon::None,
                            MessageButtons::Ok);
}

void WindowHunkUi::ShowUnknownData(THunk& hunk) {
    const THunk* version = state.currentDocument.FindByType(VERHUNK);
    dialogs.ShowMessage(UnknownDataText(version ? std::optional(version->GetName()) : std::nullopt),
                        hunk.GetName(), MessageIcon::Stop, MessageButtons::Ok);
}

// Pictures, overlays and sounds have windows and players of their own, not built yet.
void WindowHunkUi::ShowOverlay(TOverlayHunk&) {}
void WindowHunkUi::OfferGifSave(TGIFaHunk&) {}
void WindowHunkUi::PlaySound(TSoundHunk&) {}

void WindowHunkUi::CloseView(THunk& hunk) {
    if (TChild* view = ViewOf(hunk)) view->DestroyWindow();
}

}  // namespace klu
