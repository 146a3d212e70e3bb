#pragma once

#include <array>
#include <string>
#include <string_view>

namespace klu {

// Kind ids index the kind-name table; views, commands and icons branch on them.
enum class HunkKind : int {
    COMMENT = 0,
    CREDIT = 1,
    GIFA = 2,
    HINT = 3,
    SUBJECT = 4,
    VERHUNK = 5,
    BLANK = 6,
    INCENTIVE = 7,
    INFO = 8,
    LINK = 9,
    NESTHINT = 10,
    TEXT = 11,
    HYPERPNG = 12,
    OVERLAY = 13,
    SOUND = 14,
    UNKNOWN = 15,
    PNGOBJECT = 16,
    ABSTRACT = 17,
};
using enum HunkKind;

inline constexpr int kKindCount = 18;

// Name of a kind id ("COMMENT" .. "ABSTRACT"); "UNKNOWN" for ids out of range.
std::string_view KindName(HunkKind kind);

// The header keyword's kind: the keyword is upper-cased and compared with the 15 file keywords
// ("VERSION" stands where the kind name says "VERHUNK"); anything else is UNKNOWN.
HunkKind KindOfKeyword(std::string_view keyword);

// The keyword that a file uses for a kind (ids 0 to 14), or "" for the others.
std::string_view KeywordOfKind(HunkKind kind);

}  // namespace klu
