#include "find_json.h"

#include "latin1.h"
#include "model/document/link_hunk.h"
#include "model/document/meta_text_hunk.h"

namespace klu::cli {
namespace {

// The line that closes the links of one match.
bool ClosesMatch(const KLUObject& child) {
    return !child.IsHunk() && child.GetName() == " ";
}

}  // namespace

Json SearchResultsToJson(const MetaTextHunk& results) {
    Json entries = Json::array();
    Json links = Json::array();
    for (const KLUObject* child : results.children) {
        if (const auto* link = NodeCast<LinkHunk>(child)) {
            Json node = Json::object();
            node["title"] = Latin1ToUtf8(link->GetName());
            node["line"] = link->targetLine;
            links.push_back(std::move(node));
        } else if (ClosesMatch(*child)) {
            entries.push_back(std::exchange(links, Json::array()));
        }
    }
    // Links after the last closing line still belong to a match.
    if (!links.empty()) entries.push_back(std::move(links));
    Json root = Json::object();
    root["title"] = Latin1ToUtf8(results.GetName());
    root["entries"] = std::move(entries);
    return root;
}

}  // namespace klu::cli
