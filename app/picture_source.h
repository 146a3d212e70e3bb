#pragma once

#include <string>

#include "views/hunk_printout.h"

namespace klu {

class AppState;
class Hunk;

// The file a hunk's pictures are read from: the help file for hunks of the help document, the
// current hint file for all others.
std::string PictureFileOf(const AppState& state, const Hunk& hunk);

// The pictures of a printout: the image a window decoded (with its overlays), or else the
// picture decoded from its file for the moment.
HunkPrintout::PictureSource PrintedPictures(const AppState& state);

}  // namespace klu
