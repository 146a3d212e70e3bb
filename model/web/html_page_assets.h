#pragma once

namespace klu {

// The fixed parts of the exported web page: its style sheet and its script, both written
// inline so that the page needs nothing from elsewhere.
extern const char* const kPageStyle;
extern const char* const kPageScript;

}  // namespace klu
