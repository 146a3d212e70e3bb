#include "klu_icon.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

namespace klu {

QImage DrawKluIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 0, 128));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 0));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
    painter.end();
    return image;
}

QIcon KluIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        // Told the format, the reader asks none of Qt's image format plugins.
        QImageReader reader(QStringLiteral(":/icons/%1x%1/apps/kluwin.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace klu
