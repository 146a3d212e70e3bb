#include "centered_dialog.h"

#include <QScreen>
#include <QShowEvent>
#include <algorithm>

namespace klu {

QPoint CenteredPlace(const QSize& dialog, const QRect& parent, const QSize& screen) {
    const QRect over =
        parent.width() == 0 && parent.height() == 0 ? QRect(QPoint(0, 0), screen) : parent;
    const int x = over.left() + (over.width() - dialog.width()) / 2;
    const int y = over.top() + (over.height() - dialog.height()) / 2;
    return QPoint(std::max(x, 0), std::max(y, 0));
}

CenteredDialog::CenteredDialog(QWidget* parent) : QDialog(parent) {}

QRect CenteredDialog::ParentRect() const {
    const QWidget* parent = parentWidget();
    if (!parent || !parent->isVisible()) return QRect();
    if (parent->isWindow()) return parent->frameGeometry();
    return QRect(parent->mapToGlobal(QPoint(0, 0)), parent->size());
}

// Placed once, as the dialog first appears; the user may move it afterwards.
void CenteredDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (placed_ || event->spontaneous()) return;
    placed_ = true;
    const QScreen* shown_on = screen();
    const QSize screen_size = shown_on ? shown_on->size() : QSize();
    move(CenteredPlace(frameGeometry().size(), ParentRect(), screen_size));
}

}  // namespace klu
