#include "model/format/hunk_kind.h"

#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr std::array<std::string_view, kKindCount> kKindNames = {
    "COMMENT",  "CREDIT",    "GIFA",  "HINT",    "SUBJECT",   "VERHUNK",
    "BLANK",    "INCENTIVE", "INFO",  "LINK",    "NESTHINT",  "TEXT",
    "HYPERPNG", "OVERLAY",   "SOUND", "UNKNOWN", "PNGOBJECT", "ABSTRACT"};

constexpr std::array<std::string_view, 15> kKeywords = {
    "COMMENT", "CREDIT", "GIFA",     "HINT", "SUBJECT",  "VERSION", "BLANK", "INCENTIVE",
    "INFO",    "LINK",   "NESTHINT", "TEXT", "HYPERPNG", "OVERLAY", "SOUND"};

}  // namespace

std::string_view KindName(HunkKind kind) {
    const int id = static_cast<int>(kind);
    if (id < 0 || id >= kKindCount) return kKindNames[static_cast<size_t>(UNKNOWN)];
    return kKindNames[static_cast<size_t>(id)];
}

HunkKind KindOfKeyword(std::string_view keyword) {
    for (size_t i = 0; i < kKeywords.size(); ++i) {
        if (EqualsNoCase(kKeywords[i], keyword)) return static_cast<HunkKind>(i);
    }
    return UNKNOWN;
}

std::string_view KeywordOfKind(HunkKind kind) {
    const int id = static_cast<int>(kind);
    if (id < 0 || id >= static_cast<int>(kKeywords.size())) return {};
    return kKeywords[static_cast<size_t>(id)];
}

}  // namespace klu
