#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace klu {

class HintDocument;

// Writes the whole file as one self-contained web page that keeps the promise of the reader:
// one hint per press. Hints are stored enciphered in the page and deciphered by its script only
// when revealed; pictures, overlays, GIFs and sounds are inline data read from data_path (the
// file the document was loaded from, or the file its data lies in). Gives false when there is
// no root or out fails.
bool ExportHtml(const HintDocument& document, const std::string& data_path, std::ostream& out);

// The most bytes the page of a file of file_size bytes takes, however deep its hints nest or
// often its hunks share data: a hunk of a few bytes makes a section of a hundred or two, and the
// older format's part (1000 lines at most) as many questions as it has pairs of lines, besides
// the page's own style and script.
constexpr uint64_t MaxPageSize(uint64_t file_size) {
    return 64 * file_size + 256 * 1024;
}

}  // namespace klu
