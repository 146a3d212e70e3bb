#pragma once

#include <QIcon>
#include <cstdint>

namespace klu {

// How far a question's hints have been revealed.
enum class RevealState { None, Some, All };

RevealState RevealStateOf(int32_t revealed, int32_t hint_count);

// A small circle: empty, half filled or filled, drawn in the highlight colour of the palette so
// that it reads on light and dark backgrounds alike (on a selected row, in its text colour).
QIcon RevealMark(RevealState state);

}  // namespace klu
