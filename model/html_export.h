#pragma once

#include <cstdint>
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

// The most bytes the page of a file of file_size bytes takes: a small multiple of the file,
// however deep its hints nest or often its hunks share data, plus the page's style and script.
constexpr uint64_t MaxPageSize(uint64_t file_size) {
    return 16 * file_size + 32 * 1024;
}

}  // namespace klu
