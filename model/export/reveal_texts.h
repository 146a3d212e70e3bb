#pragma once

#include <cstdint>
#include <string>

namespace klu {

// The texts of the button that reveals a question's hints one at a time; the reader's hint
// window and the web page say the same.
inline constexpr const char* kAnotherHintText = "Another hint?";
inline constexpr const char* kNoMoreHintsText = "No more hints.";
// The counted text, "%i" standing for the hints shown and then for the hints there are.
inline constexpr const char* kCountedHintFormat = "Hint %i of %i.  Another hint?";
// The web page shows no hint before the first press.
inline constexpr const char* kFirstHintText = "Show the first hint.";

// The counted text filled in: "Hint 2 of 4.  Another hint?".
std::string CountedHintText(int32_t shown, int32_t count);

}  // namespace klu
