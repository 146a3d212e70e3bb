#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace klu {

class KLUObject;

// The key a listing entry is sorted by: the title in upper case with a leading article moved to
// the end, the way a reader looks for a game ("The Adventure" -> "ADVENTURE, THE", "A Quest" ->
// "QUEST, A", "A The X" -> "X, A, THE").
std::string SortKey(std::string_view title);

// Keys compared character by character, letter case ignored.
bool SortKeyLess(std::string_view a, std::string_view b);

// SortKey of a's name before SortKey of b's name.
bool TitleLess(const KLUObject& a, const KLUObject& b);

// Sorts entries by title, each placed directly after the last entry whose key is not greater
// than its own: entries with equal keys keep their order.
void SortByTitle(std::vector<KLUObject*>& entries);
// The same, giving the keys of the sorted entries (folded whole, so that equal keys are equal
// strings).
std::vector<std::string> SortByTitleKeys(std::vector<KLUObject*>& entries);

}  // namespace klu
