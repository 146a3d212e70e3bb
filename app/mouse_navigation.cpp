#include "mouse_navigation.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace klu {

MouseNavigation::MouseNavigation(QWidget& window, QAction& back, QAction& forward)
    : QObject(&window), window_(window), back_(back), forward_(forward) {
    qApp->installEventFilter(this);
}

// The press acts; its release is taken too, so that no widget reads it as a click of its own.
bool MouseNavigation::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (button != Qt::BackButton && button != Qt::ForwardButton) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_) return false;
    if (type == QEvent::MouseButtonPress) (button == Qt::BackButton ? back_ : forward_).trigger();
    return true;
}

}  // namespace klu
