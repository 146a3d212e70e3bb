#include "bitmap_qimage.h"

#include <cstring>

#include "decoded_bitmap.h"

namespace klu {

QImage ToQImage(const DecodedBitmap& bitmap) {
    if (bitmap.TrueColour()) {
        QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
        if (image.isNull()) return image;
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = 0xFF000000u | bitmap.ColourAt(x, y);
        }
        return image;
    }
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Indexed8);
    if (image.isNull()) return image;
    QList<QRgb> table(256, qRgb(0, 0, 0));
    const auto& colors = bitmap.Colors();
    for (qsizetype i = 0; i < table.size() && i < static_cast<qsizetype>(colors.size()); ++i) {
        const BitmapColor& c = colors[static_cast<size_t>(i)];
        table[i] = qRgb(c.red, c.green, c.blue);
    }
    image.setColorTable(table);
    // Both keep rows 4-byte aligned, but the bitmap holds them bottom-up.
    const auto width = static_cast<size_t>(bitmap.Width());
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memcpy(image.scanLine(y), bitmap.Row(y), width);
    return image;
}

}  // namespace klu
