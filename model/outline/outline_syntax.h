#pragma once

#include <string>
#include <string_view>

#include "model/format/hunk_kind.h"

namespace klu {

// What the outline compiler and decompiler share: the element words and how a value keeps the
// blanks at its ends.

// The hunk keyword of an element word ("question" -> "HINT"), or "" for no element.
std::string_view KeywordOfElement(std::string_view word);
// The element word of a hunk kind id, or "" for a kind no element stands for.
std::string_view ElementOfKind(HunkKind kind);

// A value between two "|" keeps the blanks at its ends, which editors strip: "|  text |".
// A body line keeps its leading blanks anyway (after "> "): leading_kept spares it the quotes.
std::string QuoteValue(std::string_view value, bool leading_kept = false);
bool NeedsQuotes(std::string_view value, bool leading_kept = false);
std::string UnquoteValue(std::string_view value);
std::string_view UnquotedView(std::string_view value);

}  // namespace klu
