#include "dump_json.h"

#include "latin1.h"
#include "model/filler_hunks.h"
#include "model/hint_document.h"
#include "model/hunk.h"
#include "model/hunk_kind.h"
#include "model/items_hunk.h"
#include "model/link_hunk.h"
#include "model/media_hunks.h"
#include "model/text_hunk.h"

namespace klu::cli {
namespace {

void AddKindFields(const THunk& hunk, Json& node) {
    const int kind = hunk.GetType();
    if (kind == HINT || kind == NESTHINT) node["revealed"] = hunk.GetRevealed();
    if (const auto* link = dynamic_cast<const TLinkHunk*>(&hunk)) {
        node["target"] = link->targetLine;
    }
    // Media hunks and picture objects share DataRange; a cross-cast finds it on any of them.
    if (const auto* range = dynamic_cast<const DataRange*>(&hunk)) {
        node["offset"] = range->dataOffset;
        node["length"] = range->dataLength;
    }
    if (const auto* text = dynamic_cast<const TTextHunk*>(&hunk)) {
        node["offset"] = text->offset;
        node["length"] = text->length;
        node["textFlags"] = text->flags;
    }
    if (const auto* overlay = dynamic_cast<const TOverlayHunk*>(&hunk)) {
        node["x"] = overlay->x;
        node["y"] = overlay->y;
    }
    if (const auto* picture = dynamic_cast<const TPNGObject*>(&hunk)) {
        Json regions = Json::array();
        for (const Rect& r : picture->regions) {
            regions.push_back(Json::array({r.left, r.top, r.right, r.bottom}));
        }
        node["regions"] = std::move(regions);
    }
}

Json HunkToJson(const THunk& hunk) {
    Json node = Json::object();
    node["type"] = std::string(KindName(hunk.GetType()));
    node["line"] = hunk.lineNumber;
    node["lines"] = hunk.lineCount;
    node["title"] = Latin1ToUtf8(hunk.GetName());
    node["flags"] = FlagLetters(hunk);
    if (const auto* items = dynamic_cast<const TItemsHunk*>(&hunk)) {
        Json children = Json::array();
        for (const TKLUObject* child : items->children)
            children.push_back(ObjectToJson(*child));
        node["children"] = std::move(children);
    }
    AddKindFields(hunk, node);
    if (const auto* unknown = dynamic_cast<const TUnknownHunk*>(&hunk))
        node["keyword"] = Latin1ToUtf8(unknown->keyword);
    return node;
}

}  // namespace

Json ObjectToJson(const TKLUObject& object) {
    if (object.IsHunk()) return HunkToJson(static_cast<const THunk&>(object));
    Json node = Json::object();
    node["text"] = Latin1ToUtf8(object.GetName());
    node["flags"] = FlagLetters(object);
    return node;
}

Json DocumentToJson(const THintDocument& document, int result) {
    Json entries = Json::array();
    for (size_t i = 0; i < document.Count(); ++i) {
        entries.push_back(ObjectToJson(*document.Entry(i)));
    }
    Json root = Json::object();
    root["result"] = result;
    root["entries"] = std::move(entries);
    return root;
}

}  // namespace klu::cli
