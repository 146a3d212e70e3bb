#pragma once

#include <QFont>
#include <QRect>

namespace klu {

// Turns the dialog units of a dialog template into pixels for the dialog's font: a horizontal
// unit is a quarter of the font's average character width, a vertical one an eighth of its
// height, each product truncated.
struct DialogUnits {
    int charWidth = 0;   // pixels
    int charHeight = 0;  // pixels

    int X(int units) const { return units * charWidth / 4; }
    int Y(int units) const { return units * charHeight / 8; }
    QRect ToPixels(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }
};

// The units of a font. Its average character width is that of the 52 letters of the alphabet,
// rounded to the nearest pixel, as the window system measures a dialog's font.
DialogUnits DialogUnitsOf(const QFont& font);

}  // namespace klu
