#include "model/store/profile_text.h"

#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// What one line of the file means.
struct LineMeaning {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;   // the section or key name
    std::string_view value;  // the value of a key
};

LineMeaning Classify(std::string_view line, bool first_line) {
    if (first_line && line.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        line.remove_prefix(kByteOrderMark.size());
    line = Trim(line);
    if (line.empty() || line.front() == ';') return {};
    if (line.front() == '[') {
        // A header without its "]" is ignored; the keys after it stay in the section before.
        const size_t close = line.find(']');
        if (close == std::string_view::npos) return {};
        return {LineMeaning::Section, Trim(line.substr(1, close - 1)), {}};
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    return {LineMeaning::Key, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool CanWrite(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || key.empty()) return false;
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (key.find('=') != std::string_view::npos) return false;
    return key.front() != '[' && key.front() != ';';
}

}  // namespace

ProfileText ProfileText::Parse(std::string_view bytes) {
    ProfileText text;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        text.lines_.emplace_back(line);
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return text;
}

std::optional<std::string> ProfileText::Find(std::string_view section, std::string_view key) const {
    section = Trim(section);
    key = Trim(key);
    bool in_section = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = Classify(lines_[i], i == 0);
        if (meaning.kind == LineMeaning::Section) {
            in_section = EqualsNoCase(meaning.name, section);
        } else if (meaning.kind == LineMeaning::Key && in_section &&
                   EqualsNoCase(meaning.name, key)) {
            return std::string(meaning.value);
        }
    }
    return std::nullopt;
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!CanStore(section, key, value)) return false;
    section = Trim(section);
    key = Trim(key);

    bool in_section = false;
    bool in_first_section = false;  // a new key goes to the first section of the name
    bool section_found = false;
    size_t insert_at = lines_.size();  // after the last non-blank line of that section
    for (size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = Classify(lines_[i], i == 0);
        if (meaning.kind == LineMeaning::Section) {
            in_section = EqualsNoCase(meaning.name, section);
            in_first_section = in_section && !section_found;
            if (in_first_section) insert_at = i + 1;
            section_found = section_found || in_section;
            continue;
        }
        if (meaning.kind == LineMeaning::Key && in_section && EqualsNoCase(meaning.name, key)) {
            // The key keeps the spelling it has in the file.
            lines_[i] = std::string(meaning.name) + "=" + std::string(value);
            return true;
        }
        if (in_first_section && !Trim(lines_[i]).empty()) insert_at = i + 1;
    }

    std::string line = std::string(key) + "=" + std::string(value);
    if (section_found) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
        return true;
    }
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(line));
    return true;
}

bool ProfileText::CanStore(std::string_view section, std::string_view key, std::string_view value) {
    return CanWrite(Trim(section), Trim(key), value);
}

std::string ProfileText::Serialize() const {
    std::string bytes;
    size_t size = 0;
    for (const std::string& line : lines_)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace klu
