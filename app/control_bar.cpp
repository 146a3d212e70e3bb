#include "control_bar.h"

#include <QPainter>

namespace klu {

T3DControlBar::T3DControlBar(QWidget* parent) : QToolBar(parent) {
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

void T3DControlBar::AddButton(QAction* action) {
    addAction(action);
}

void T3DControlBar::AddGap(int pixels) {
    auto* gap = new QWidget(this);
    gap->setFixedWidth(pixels);
    addWidget(gap);
}

void T3DControlBar::paintEvent(QPaintEvent* event) {
    QToolBar::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, width() - 1, 1);
}

}  // namespace klu
