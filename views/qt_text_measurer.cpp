#include "qt_text_measurer.h"

#include <QFontDatabase>
#include <algorithm>

#include "windows1252.h"

namespace klu {

QtTextMeasurer::QtTextMeasurer(const QFont& normal_font, const QFont& fixed_font)
    : normal(normal_font), fixed(fixed_font) {}

QtTextMeasurer::QtTextMeasurer(const QFont& normal_font, const QFont& fixed_font,
                               const QPaintDevice* device)
    : normal(normal_font, device), fixed(fixed_font, device) {}

const QFontMetrics& QtTextMeasurer::Metrics(TextFont font) const {
    return font == TextFont::Fixed ? fixed : normal;
}

int QtTextMeasurer::TextWidth(std::string_view text, TextFont font) const {
    if (text.empty()) return 0;
    return Metrics(font).horizontalAdvance(FromWindows1252(text));
}

int QtTextMeasurer::AverageCharWidth(TextFont font) const {
    return std::max(1, Metrics(font).averageCharWidth());
}

int QtTextMeasurer::LineHeight() const {
    return std::max(1, normal.lineSpacing());
}

int QtTextMeasurer::Ascent(TextFont font) const {
    return Metrics(font).ascent();
}

QFont ScreenFontOf(const FontRecord& record) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!record.face.empty()) font.setFamily(QString::fromLatin1(record.face));
    if (record.pointSize > 0) font.setPointSize(record.pointSize);
    if (record.weight > 0) {
        // The settings keep the 100 to 900 weights that Qt uses too.
        font.setWeight(static_cast<QFont::Weight>(std::clamp(record.weight, 1, 1000)));
    }
    font.setItalic(record.italic);
    return font;
}

}  // namespace klu
