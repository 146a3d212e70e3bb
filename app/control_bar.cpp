#include "control_bar.h"

#include <QPainter>

namespace klu {

ControlBar::ControlBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("controlBar"));
    setOrientation(Qt::Horizontal);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setContentsMargins(4, 5, 4, 3);
    QFont gadgetFont = font();
    gadgetFont.setPointSize(10);
    setFont(gadgetFont);
}

void ControlBar::AddButton(QAction* action) {
    addAction(action);
}

void ControlBar::AddGap(int pixels) {
    auto* gap = new QWidget(this);
    gap->setFixedWidth(pixels);
    addWidget(gap);
}

void ControlBar::paintEvent(QPaintEvent* event) {
    QToolBar::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, width() - 1, 1);
}

}  // namespace klu
