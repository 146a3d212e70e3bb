#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/outline/hint_writer.h"

namespace klu {

class HintDocument;

// Where an outline is wrong: the line (1-based) and what is wrong with it.
struct OutlineError {
    int line = 0;
    std::string message;
};

// Turns a plain-text outline (UTF-8) into the plan of a hint file. Indentation nests elements;
// each element line reads "kind: title", body lines start with ">", and "-" separates hints of a
// nested hint. Data files (pictures, sounds, GIF pictures) are read relative to base_folder;
// a "bytes:" line below the element holds its data in the outline instead.
// The format is described in the README. The plan keeps the text: most of its lines refer to it.
std::optional<HintFilePlan> CompileOutline(std::string text, const std::string& base_folder,
                                           OutlineError* error);

// A loaded file written back as an outline (UTF-8) and the data files it names, which go beside
// it: each picture, overlay, sound and GIF picture under a file name made of its title, unless
// its data is no file the compiler takes, which then stays in the outline.
struct DecompiledOutline {
    std::string text;
    std::vector<std::pair<std::string, std::string>> files;  // name, bytes
};

// Takes the text of an outline a piece at a time.
using OutlineTextSink = std::function<void(std::string_view piece)>;

// The outline that compiles back into the document's tree. The data is read from hint_file, the
// file the document was loaded from. Nothing (and the reason) when the file cannot be read.
// With a text_sink the text goes there in pieces as it is made, and is not held whole: text stays
// empty. Without data_bytes each data file comes with its name alone.
std::optional<DecompiledOutline> DecompileOutline(const HintDocument& document,
                                                  const std::string& hint_file,
                                                  std::string* error = nullptr,
                                                  const OutlineTextSink* text_sink = nullptr,
                                                  bool data_bytes = true);

// Compiles outline_text (its data files in data_folder) into a hint file given to sink (see
// WriteHintFileTo). Gives "" when done, else what failed ("it does not compile: ...").
std::string CompileOutlineTo(std::string outline_text, const std::string& data_folder,
                             const ByteSink& sink);
// Loads the bytes of a compiled file into again, leaving them as they are for the data a
// comparison reads. False when they do not load.
bool LoadCompiledBytes(std::vector<char>& bytes, HintDocument& again);

// Compiles outline_text (its data files in data_folder) and compares the tree of the file it
// makes with the document loaded from hint_file. Gives "" when they are the same, else where
// they differ or what failed on the way.
std::string RoundTripDifference(const HintDocument& document, const std::string& hint_file,
                                std::string outline_text, const std::string& data_folder);

// Decompiles the document into folder (as file.outline and its data files, replacing what is
// there) and gives the RoundTripDifference of that outline.
std::string DecompiledDifference(const HintDocument& document, const std::string& hint_file,
                                 const std::string& folder);

}  // namespace klu
