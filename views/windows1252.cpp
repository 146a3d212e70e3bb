#include "windows1252.h"

#include <QStringDecoder>

#include "model/text/windows1252.h"

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
        const int byte = Windows1252Byte(c.unicode());
        result += byte < 0 ? '?' : static_cast<char>(byte);
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
