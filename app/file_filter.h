#pragma once

#include <string>

namespace klu {

// The filter of the open dialog as the program gives it: description and pattern pairs, all
// separated by "|".
inline constexpr char kHintFileFilter[] = "KLU Hint Files (*.KLU)|*.KLU|All Files (*.*)|*.*";

// The same filter in the form of the dialogs interface ("Description (patterns)" entries joined
// by ";;"). The patterns match names in any letter case ("*.KLU" matches "game.klu"), and "*.*"
// matches every name, a dot or not. A description's own "(...)" gives way to the patterns.
std::string DialogFilterOf(const std::string& filter);

}  // namespace klu
