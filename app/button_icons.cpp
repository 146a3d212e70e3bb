#include "button_icons.h"

#include <QPainter>
#include <QPixmap>

#include "command_ids.h"

namespace klu {

namespace {

// A sheet of paper with a mark, drawn at the size given, for the commands the style has no
// picture for.
QPixmap PaperPixmap(const QString& mark, int scale) {
    QPixmap pixmap(20 * scale, 20 * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(3.5, 1.5, 13, 17));
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRect(3, 1, 14, 18), Qt::AlignCenter, mark);
    return pixmap;
}

// The paper at the usual size and at twice it, so that it stays sharp on a scaled screen.
QIcon PaperIcon(const QString& mark) {
    QIcon icon;
    icon.addPixmap(PaperPixmap(mark, 1));
    icon.addPixmap(PaperPixmap(mark, 2));
    return icon;
}

// An arrow pointing back (left) or forward (right), in the colour of the papers' marks.
QPixmap ArrowPixmap(bool back, int scale) {
    QPixmap pixmap(20 * scale, 20 * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (back) painter.setTransform(QTransform(-1, 0, 0, 1, 20, 0));  // mirrored
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    const QPointF arrow[] = {{3, 8}, {10, 8}, {10, 3}, {17, 10}, {10, 17}, {10, 12}, {3, 12}};
    painter.drawPolygon(arrow, 7);
    return pixmap;
}

QIcon ArrowIcon(bool back) {
    QIcon icon;
    icon.addPixmap(ArrowPixmap(back, 1));
    icon.addPixmap(ArrowPixmap(back, 2));
    return icon;
}

// The picture of the desktop's icon theme, and the program's own where the theme has none.
QIcon Themed(const char* name, const QIcon& own) {
    return QIcon::fromTheme(QString::fromLatin1(name), own);
}

}  // namespace

QIcon ButtonIcon(int id, const QStyle& style) {
    switch (id) {
        case CM_FILEOPEN:
            return Themed("document-open", style.standardIcon(QStyle::SP_DialogOpenButton));
        case CM_FINDINFILE:
            return Themed("edit-find", style.standardIcon(QStyle::SP_FileDialogContentsView));
        case CM_DECODETOTEXT:
            return Themed("document-export", PaperIcon(QStringLiteral("T")));
        case CM_PRINTFILE:
            return Themed("document-print", PaperIcon(QStringLiteral("P")));
        case CM_SAVEWINDOW:
            return Themed("document-save", style.standardIcon(QStyle::SP_DialogSaveButton));
        case CM_PRINTWINDOW:
            return Themed("document-print-preview", PaperIcon(QStringLiteral("W")));
        case CM_SHOWTOPWINDOW:
            return Themed("go-top", style.standardIcon(QStyle::SP_FileDialogToParent));
        case CM_GOBACK:
            return Themed("go-previous", ArrowIcon(true));
        case CM_GOFORWARD:
            return Themed("go-next", ArrowIcon(false));
        case CM_SHOWHELPFILE:
            return Themed("help-contents", PaperIcon(QStringLiteral("?")));
        default:
            return PaperIcon(QString());
    }
}

}  // namespace klu
