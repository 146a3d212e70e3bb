#pragma once

#include <ostream>

namespace klu {
class HintDocument;
}  // namespace klu

namespace klu::cli {

// Writes {"result": result, "entries": [...]} over the document's top-level entries, as it walks
// the tree, with a line end after it. Every node leads with its "type" (a hunk) or "text" (a
// line); a hunk with a child list carries its children.
void WriteDocumentJson(std::ostream& out, const HintDocument& document, int result);

}  // namespace klu::cli
