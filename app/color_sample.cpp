#include "color_sample.h"

#include <QPainter>

#include "views/hot_spot_area.h"

namespace klu {

ColorSample::ColorSample(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

void ColorSample::SetColorRef(uint32_t color_ref) {
    colorRef_ = color_ref;
    update();
}

void ColorSample::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(ColorFromColorRef(colorRef_));
    // A one-pixel outline lies on the rectangle's right and bottom edges, so it is drawn one
    // pixel smaller to stay inside.
    painter.drawRect(contentsRect().adjusted(0, 0, -1, -1));
}

}  // namespace klu
