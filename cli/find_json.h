#pragma once

#include <nlohmann/json.hpp>

namespace klu {
class MetaTextHunk;
}

namespace klu::cli {

// Insertion order keeps "title" ahead of "entries", for readers.
using Json = nlohmann::ordered_json;

// {"title": ..., "entries": [[{"title", "line"}, ...], ...]} of a search result hunk: one entry
// per match, listing its links from the top down. The ":" lines between the links and the blank
// line that closes each match only shape the result window, so they are left out.
Json SearchResultsToJson(const MetaTextHunk& results);

}  // namespace klu::cli
