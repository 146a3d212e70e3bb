#pragma once

#include <string>
#include <string_view>

namespace klu {

// Folding for a match as the user types it: letter case as FoldCase ignores it, and accents too,
// so that "cafe" finds "Caf\xe9" (Windows-1252 text). Letters without a plain form (the ligatures
// and the thorn) keep their upper case.
char FoldForMatch(char c);
std::string FoldForMatch(std::string_view text);

}  // namespace klu
