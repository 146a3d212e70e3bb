#include "json_writer.h"

namespace klu::cli {
namespace {

constexpr size_t kFlushAt = size_t{1} << 16;

}  // namespace

void JsonWriter::Open(char bracket) {
    buffer_ += bracket;
    counts_.push_back(0);
}

void JsonWriter::Close(char bracket) {
    const size_t count = counts_.back();
    counts_.pop_back();
    if (count > 0) {
        buffer_ += '\n';
        buffer_.append(2 * counts_.size(), ' ');
    }
    buffer_ += bracket;
    if (buffer_.size() >= kFlushAt) Flush();
}

void JsonWriter::NextElement() {
    buffer_ += counts_.back()++ > 0 ? ",\n" : "\n";
    buffer_.append(2 * counts_.size(), ' ');
}

void JsonWriter::Key(std::string_view name) {
    NextElement();
    String(name);
    buffer_ += ": ";
}

void JsonWriter::Item() {
    NextElement();
}

void JsonWriter::String(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    buffer_ += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                buffer_ += "\\\"";
                break;
            case '\\':
                buffer_ += "\\\\";
                break;
            case '\b':
                buffer_ += "\\b";
                break;
            case '\f':
                buffer_ += "\\f";
                break;
            case '\n':
                buffer_ += "\\n";
                break;
            case '\r':
                buffer_ += "\\r";
                break;
            case '\t':
                buffer_ += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    buffer_ += "\\u00";
                    buffer_ += kHex[c >> 4];
                    buffer_ += kHex[c & 0xF];
                } else {
                    buffer_ += c;
                }
        }
    }
    buffer_ += '"';
}

void JsonWriter::Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

}  // namespace klu::cli
