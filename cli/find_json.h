#pragma once

#include "dump_json.h"

namespace klu {
class TMetaTextHunk;
}

namespace klu::cli {

// {"title": ..., "entries": [[{"title", "line"}, ...], ...]} of a search result hunk: one entry
// per match, listing its links from the top down. The ":" lines between the links and the blank
// line that closes each match only shape the result window, so they are left out.
Json SearchResultsToJson(const TMetaTextHunk& results);

}  // namespace klu::cli
