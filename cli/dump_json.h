#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace klu {
class TKLUObject;
class THintDocument;
}  // namespace klu

namespace klu::cli {

// Insertion order keeps "result" ahead of "entries" and "type" ahead of the rest, for readers.
using Json = nlohmann::ordered_json;

// One node of the tree: a line as {"text", "flags"}, a hunk with its kind's fields and, for a
// hunk with a child list, its children.
Json ObjectToJson(const TKLUObject& object);

// {"result": result, "entries": [...]} over the document's top-level entries.
Json DocumentToJson(const THintDocument& document, int result);

}  // namespace klu::cli
