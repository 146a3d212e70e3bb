#pragma once

#include <optional>
#include <string>

#include "hint_writer.h"

namespace klu {

// Where an outline is wrong: the line (1-based) and what is wrong with it.
struct OutlineError {
    int line = 0;
    std::string message;
};

// Turns a plain-text outline into the plan of a hint file. Indentation nests elements; each
// element line reads "kind: title", body lines start with ">", and "-" separates hints of a
// nested hint. Data files (pictures, sounds, GIF pictures) are read relative to base_folder.
// The format is described in the README.
std::optional<HintFilePlan> CompileOutline(const std::string& text, const std::string& base_folder,
                                           OutlineError* error);

}  // namespace klu
