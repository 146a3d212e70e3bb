#include "hunk_window.h"

#include <QMdiSubWindow>

#include "model/document/hunk.h"
#include "window_icons.h"
#include "windows1252.h"

namespace klu {

HunkWindow::HunkWindow(Hunk& shown, std::string kind_name, const Settings& current_settings,
               QWidget* parent)
    : QWidget(parent), settings_(current_settings), hunk_(shown), kindName_(std::move(kind_name)) {
    // The listing's title holds a folder name, which the file system gives in UTF-8.
    setWindowTitle(FromWindows1252(hunk_.GetName()));
}

HunkWindow::~HunkWindow() {
    // The controls go first, while the hunk they show is still there.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void HunkWindow::TakeOwnership(std::unique_ptr<Hunk> hunk) {
    ownedHunk_ = std::move(hunk);
}

void HunkWindow::SetupWindow() {
    const QIcon icon = WindowIcon(kindName_);
    setWindowIcon(icon);
    Frame().setWindowIcon(icon);
    CreateFonts();
}

void HunkWindow::RestoreFocus() {
    QWidget* last = focusWidget();
    if (last == nullptr || last == this || !isAncestorOf(last) || !last->isVisibleTo(this) ||
        last->focusPolicy() == Qt::NoFocus)
        last = DefaultFocusWidget();
    if (last != nullptr) last->setFocus();
}

QWidget& HunkWindow::Frame() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) return *frame;
    return *this;
}

void HunkWindow::CloseWindow() {
    QWidget& frame = Frame();
    frame.setAttribute(Qt::WA_DeleteOnClose);
    frame.close();
}

void HunkWindow::DestroyWindow() {
    delete &Frame();
}

}  // namespace klu
