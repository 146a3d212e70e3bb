#pragma once

#include <string>
#include <string_view>

namespace klu {

// Windows-1252 text as a person types it to find something: letter case as every comparison of
// the system ignores it (FoldCase), and accents too, so that "ecole" matches "École". Byte for
// byte, so positions in the folded text are positions in the text.
std::string FoldForMatch(std::string_view text);

}  // namespace klu
