#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace klu {

// The older-format part as a file stores it, titles and hints decoded: the body lines of the
// first and the last hint, each title with the body line it leads to, the hints one a line, and
// the author's note. A load ties these into a tree by their line numbers; a part that ends
// early holds only what was read.
struct OlderPartEntry {
    std::string title;
    int64_t target = 0;
};

struct OlderPart {
    int64_t firstHint = 0;
    int64_t lastHint = 0;
    std::vector<OlderPartEntry> entries;
    std::vector<std::string> hints;
    std::vector<std::string> note;

    // Whether the entry at index is read as a subject: titles before the line that the first one
    // leads to are subjects, the others questions.
    bool IsSubject(size_t index) const {
        return static_cast<int64_t>(2 * index + 1) < entries.front().target;
    }
};

// The older part of the hint file at path, read as a load reads it; nothing when the file cannot
// be read or is no hint file.
std::optional<OlderPart> ReadOlderPart(const std::string& path);

}  // namespace klu
