#include "windows1252.h"

#include <QStringDecoder>

namespace klu {

QString FromWindows1252(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        result.append(QChar(Windows1252Char(static_cast<unsigned char>(c))));
    return result;
}

std::string ToWindows1252(const QString& text) {
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text) {
        char byte = '?';
        if (c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF)) {
            byte = static_cast<char>(c.unicode());
        } else {
            for (unsigned high = 0x80; high <= 0x9F; ++high)
                if (Windows1252Char(static_cast<unsigned char>(high)) == c.unicode())
                    byte = static_cast<char>(high);
        }
        result += byte;
    }
    return result;
}

QString FromUtf8OrWindows1252(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded =
        utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? FromWindows1252(text) : decoded;
}

}  // namespace klu
