#include "window_icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace klu {

namespace {

// One icon: a rounded tile in its colour with a short mark on it.
struct IconLook {
    const char* kind;
    QRgb tile;
    const char* mark;
};

constexpr std::array<IconLook, 9> kIcons = {{
    {"COMMENT", 0xff808000, "\""},
    {"CREDIT", 0xff800080, "C"},
    {"HINT", 0xff008000, "?"},
    {"HYPERPNG", 0xff008080, "P"},
    {"INFO", 0xff000080, "i"},
    {"NESTHINT", 0xff00a040, "??"},
    {"SUBJECT", 0xffc08000, "S"},
    {"TEXT", 0xff404040, "T"},
    {"VERBOSE", 0xff800000, "L"},
}};

const IconLook* FindLook(const std::string& kind_name) {
    for (const IconLook& look : kIcons) {
        if (kind_name == look.kind) return &look;
    }
    return nullptr;
}

QPixmap DrawIcon(const IconLook& look, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor::fromRgb(look.tile));
    const qreal corner = size / 6.0;
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), corner, corner);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromLatin1(look.mark));
    return pixmap;
}

}  // namespace

std::string WindowIconName(const std::string& kind_name) {
    return kind_name + "_ICON";
}

bool HasWindowIcon(const std::string& kind_name) {
    return FindLook(kind_name) != nullptr;
}

QIcon WindowIcon(const std::string& kind_name) {
    const IconLook* look = FindLook(kind_name);
    if (!look) look = FindLook("SUBJECT");
    QIcon icon;
    for (const int size : {16, 32})
        icon.addPixmap(DrawIcon(*look, size));
    return icon;
}

}  // namespace klu
