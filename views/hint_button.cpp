#include "hint_button.h"

#include <QKeyEvent>
#include <QPainter>

#include "text_window.h"
#include "text_view.h"

namespace klu {

namespace {

// How far inside the button's edge its focus mark runs.
constexpr int kFocusInset = 3;

}  // namespace

HintButton::HintButton(TextWindow& parent, const QString& text)
    : QPushButton(text, &parent), window_(parent) {
    setObjectName(QString::number(kId));
    setDefault(true);
    setGeometry(0, 0, 0, 0);
}

// Tab never reaches keyPressEvent: the widget's own event handling moves the focus first.
// Ctrl+Tab is left to the work area, which steps through the windows with it.
bool HintButton::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & Qt::ControlModifier)) {
            FocusText(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QPushButton::event(event);
}

void HintButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            window_.CloseWindow();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            window_.DefaultAction();
            return;
        default:
            QPushButton::keyPressEvent(event);
    }
}

// Styles mark the focus faintly, or only after the user moved it with Tab, but this button takes
// it when its window opens: the player must see where Space and Enter go. A dotted line in the
// palette's highlight colour runs just inside its edge.
void HintButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
}

void HintButton::FocusText(bool forward) {
    window_.Control().EnterLinks(forward);
}

}  // namespace klu
