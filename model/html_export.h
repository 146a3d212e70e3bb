#pragma once

#include <iosfwd>
#include <string>

namespace klu {

class THintDocument;

// Writes the whole file as one self-contained web page that keeps the promise of the reader:
// one hint per press. Hints are stored enciphered in the page and deciphered by its script only
// when revealed; pictures, overlays, GIFs and sounds are inline data read from data_path (the
// file the document was loaded from, or the file its data lies in). Gives false when there is
// no root or out fails.
bool ExportHtml(const THintDocument& document, const std::string& data_path, std::ostream& out);

}  // namespace klu
