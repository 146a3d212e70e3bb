#include "file_filter.h"

#include <cctype>
#include <vector>

namespace klu {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

// "*.KLU" becomes "*.[Kk][Ll][Uu]"; "*.*" becomes "*".
std::string AnyCasePattern(const std::string& pattern) {
    if (pattern == "*.*") return "*";
    std::string result;
    for (const char c : pattern) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalpha(byte)) {
            result += '[';
            result += static_cast<char>(std::toupper(byte));
            result += static_cast<char>(std::tolower(byte));
            result += ']';
        } else {
            result += c;
        }
    }
    return result;
}

std::string WithoutPatternList(std::string description) {
    const size_t open = description.rfind('(');
    if (open != std::string::npos && description.ends_with(')')) description.resize(open);
    while (!description.empty() && description.back() == ' ')
        description.pop_back();
    return description;
}

}  // namespace

std::string DialogFilterOf(const std::string& filter) {
    const std::vector<std::string> parts = Split(filter, '|');
    std::string result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const std::string& pattern : Split(parts[i + 1], ';')) {
            if (!patterns.empty()) patterns += ' ';
            patterns += AnyCasePattern(pattern);
        }
        if (!result.empty()) result += ";;";
        result += WithoutPatternList(parts[i]) + " (" + patterns + ")";
    }
    return result;
}

}  // namespace klu
