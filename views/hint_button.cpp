#include "hint_button.h"

#include <QKeyEvent>

#include "child_window_string.h"
#include "string_control.h"

namespace klu {

THintButton::THintButton(TStringChild& parent, const QString& text)
    : QPushButton(text, &parent), window_(parent) {
    setObjectName(QString::number(kId));
    setDefault(true);
    setGeometry(0, 0, 0, 0);
}

// Tab never reaches keyPressEvent: the widget's own event handling moves the focus first.
bool THintButton::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            FocusText(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QPushButton::event(event);
}

void THintButton::keyPressEvent(QKeyEvent* event) {
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

void THintButton::FocusText(bool forward) {
    window_.Control().EnterLinks(forward);
}

}  // namespace klu
