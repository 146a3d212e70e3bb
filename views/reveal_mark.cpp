#include "reveal_mark.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace klu {

RevealState RevealStateOf(int32_t revealed, int32_t hint_count) {
    if (revealed <= 0) return RevealState::None;
    return revealed >= hint_count ? RevealState::All : RevealState::Some;
}

namespace {

QPixmap DrawMark(RevealState state, int size, const QColor& colour) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pen = size / 10.0;
    const QRectF circle =
        QRectF(0, 0, size, size).adjusted(size / 5.0, size / 5.0, -size / 5.0, -size / 5.0);
    painter.setPen(QPen(colour, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle);
    if (state == RevealState::None) return pixmap;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    if (state == RevealState::All) {
        painter.drawEllipse(circle);
    } else {
        QPainterPath left_half;
        left_half.moveTo(circle.center());
        left_half.arcTo(circle, 90, 180);
        painter.drawPath(left_half);
    }
    return pixmap;
}

}  // namespace

QIcon RevealMark(RevealState state) {
    // A selected row is drawn on the highlight colour: its mark takes the colour of its text.
    const QPalette palette = QGuiApplication::palette();
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        icon.addPixmap(DrawMark(state, size, palette.color(QPalette::Highlight)));
        icon.addPixmap(DrawMark(state, size, palette.color(QPalette::HighlightedText)),
                       QIcon::Selected);
    }
    return icon;
}

}  // namespace klu
