#include "model/outline/outline_syntax.h"

#include <array>
#include <utility>

#include "model/format/hunk_kind.h"

namespace klu {
namespace {

constexpr std::array<std::pair<std::string_view, HunkKind>, 16> kElements = {{
    {"subject", SUBJECT},     {"question", HINT},  {"nested", NESTHINT}, {"text", TEXT},
    {"comment", COMMENT},     {"credit", CREDIT},  {"link", LINK},       {"blank", BLANK},
    {"picture", HYPERPNG},    {"overlay", OVERLAY}, {"sound", SOUND},    {"gif", GIFA},
    {"version", VERHUNK},     {"info", INFO},      {"incentive", INCENTIVE},
    {"unknown", UNKNOWN},
}};

bool IsEdgeBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && value.front() == '|' && value.back() == '|';
}

}  // namespace

std::string_view KeywordOfElement(std::string_view word) {
    for (const auto& [element, kind] : kElements) {
        if (element == word) return kind == UNKNOWN ? "UNKNOWN" : KeywordOfKind(kind);
    }
    return {};
}

std::string_view ElementOfKind(HunkKind kind) {
    for (const auto& [element, element_kind] : kElements) {
        if (element_kind == kind) return element;
    }
    return {};
}

bool NeedsQuotes(std::string_view value, bool leading_kept) {
    return !value.empty() && ((!leading_kept && IsEdgeBlank(value.front())) ||
                              IsEdgeBlank(value.back()) || IsQuoted(value));
}

std::string QuoteValue(std::string_view value, bool leading_kept) {
    return NeedsQuotes(value, leading_kept) ? "|" + std::string(value) + "|" : std::string(value);
}

std::string UnquoteValue(std::string_view value) {
    return std::string(UnquotedView(value));
}

std::string_view UnquotedView(std::string_view value) {
    return IsQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

}  // namespace klu
