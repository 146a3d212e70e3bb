#include "button_icons.h"

#include <QPainter>
#include <QPixmap>

#include "command_ids.h"

namespace klu {

namespace {

// A sheet of paper with a mark, for the commands that have no standard picture.
QIcon PaperIcon(const QString& mark) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(3, 1, 13, 17);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRect(3, 1, 14, 18), Qt::AlignCenter, mark);
    return QIcon(pixmap);
}

}  // namespace

QIcon ButtonIcon(int id, const QStyle& style) {
    switch (id) {
        case CM_FILEOPEN:
            return style.standardIcon(QStyle::SP_DialogOpenButton);
        case CM_FINDINFILE:
            return style.standardIcon(QStyle::SP_FileDialogContentsView);
        case CM_DECODETOTEXT:
            return PaperIcon(QStringLiteral("T"));
        case CM_PRINTFILE:
            return PaperIcon(QStringLiteral("P"));
        case CM_SAVEWINDOW:
            return style.standardIcon(QStyle::SP_DialogSaveButton);
        case CM_PRINTWINDOW:
            return PaperIcon(QStringLiteral("W"));
        case CM_SHOWTOPWINDOW:
            return style.standardIcon(QStyle::SP_FileDialogToParent);
        case CM_SHOWHELPFILE:
            return PaperIcon(QStringLiteral("?"));
        default:
            return PaperIcon(QString());
    }
}

}  // namespace klu
