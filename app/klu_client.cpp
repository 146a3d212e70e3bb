#include "klu_client.h"

#include "command_ids.h"
#include "file_filter.h"
#include "menu_table.h"
#include "open_hint_file.h"

namespace klu {

namespace {

// The name of a command as a message may quote it: its menu text without "&", the shortcut
// and a trailing "...".
std::string CommandName(int id) {
    const MenuItemSpec* item = FindMenuItem(id);
    if (!item) return "This command";
    std::string name;
    for (char c : item->text.substr(0, item->text.find('\t'))) {
        if (c != '&') name += c;
    }
    if (name.ends_with("...")) name.resize(name.size() - 3);
    return name;
}

}  // namespace

std::string NotAvailableText(const std::string& what) {
    return what + " is not available yet.";
}

TKLUClient::TKLUClient(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QMdiArea(parent), state_(state), dialogs_(dialogs) {
    setViewMode(QMdiArea::SubWindowView);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

ViewCommands* TKLUClient::CurrentView() const {
    QMdiSubWindow* child = currentSubWindow();
    if (!child) return nullptr;
    return dynamic_cast<ViewCommands*>(child->widget());
}

bool TKLUClient::IsCommandEnabled(int id) const {
    if (id >= CM_RECENT_FIRST && id < CM_RECENT_END) return true;
    const MenuItemSpec* item = FindMenuItem(id);
    if (!item) return false;
    switch (item->enabling) {
        case Enabling::Always:
            return true;
        case Enabling::FileLoaded:
            return state_.FileLoaded();
        case Enabling::View: {
            const ViewCommands* view = CurrentView();
            return view && view->HandlesCommand(id);
        }
    }
    return false;
}

void TKLUClient::Command(int id) {
    if (!IsCommandEnabled(id)) return;
    switch (id) {
        case CM_CASCADECHILDREN:
            cascadeSubWindows();
            break;
        case CM_TILECHILDREN:
            tileSubWindows();
            break;
        case CM_ARRANGEICONS:
            ArrangeIcons();
            break;
        case CM_CLOSECHILDREN:
            closeAllSubWindows();
            break;
        case CM_SAVEWINDOW:
        case CM_PRINTWINDOW:
        case CM_COPYTOCLIPBOARD:
            CurrentView()->DoCommand(id);
            break;
        case CM_FILEOPEN:
            CmFileOpen();
            break;
        case CM_SHOWHELPFILE:
            ShowHelpFile();
            break;
        case CM_ABOUT:
            dialogs_.ShowAbout();
            break;
        default:
            NotAvailableYet(CommandName(id));
            break;
    }
    emit StateChanged();
}

// The open dialog starts in the current folder with the hint files shown.
void TKLUClient::CmFileOpen() {
    if (std::optional<std::string> path =
            dialogs_.AskOpenFile(std::string(), std::string(), DialogFilterOf(kHintFileFilter)))
        OpenHintFile(*path);
}

void TKLUClient::OpenHintFile(const std::string& path) {
    klu::OpenHintFile(*this, state_, dialogs_, path);
    emit StateChanged();
}

void TKLUClient::ShowHelpFile() {
    NotAvailableYet(CommandName(CM_SHOWHELPFILE));
}

void TKLUClient::NotAvailableYet(const std::string& what) {
    dialogs_.ShowMessage(NotAvailableText(what), kNotAvailableTitle, MessageIcon::Information,
                         MessageButtons::Ok);
}

// Lines the minimized children up along the bottom edge, left to right.
void TKLUClient::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* child : subWindowList()) {
        if (!child->isMinimized()) continue;
        const QSize size = child->size();
        child->move(x, viewport()->height() - size.height());
        x += size.width();
    }
}

}  // namespace klu
