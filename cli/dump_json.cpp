#include "dump_json.h"

#include "json_writer.h"
#include "latin1.h"
#include "model/document/filler_hunks.h"
#include "model/document/hint_document.h"
#include "model/document/hunk.h"
#include "model/format/hunk_kind.h"
#include "model/document/items_hunk.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/document/text_hunk.h"

namespace klu::cli {
namespace {

void WriteObject(JsonWriter& json, const KLUObject& object);

void WriteNumber(JsonWriter& json, std::string_view name, int64_t value) {
    json.Key(name);
    json.Number(value);
}

void WriteText(JsonWriter& json, std::string_view name, std::string_view latin1) {
    json.Key(name);
    json.String(Latin1ToUtf8(latin1));
}

void WriteKindFields(JsonWriter& json, const Hunk& hunk) {
    const HunkKind kind = hunk.GetType();
    if (kind == HINT || kind == NESTHINT) WriteNumber(json, "revealed", hunk.GetRevealed());
    if (const auto* link = dynamic_cast<const LinkHunk*>(&hunk)) {
        WriteNumber(json, "target", link->targetLine);
    }
    // Media hunks and picture objects share DataRange; a cross-cast finds it on any of them.
    if (const auto* range = dynamic_cast<const DataRange*>(&hunk)) {
        WriteNumber(json, "offset", range->dataOffset);
        WriteNumber(json, "length", range->dataLength);
    }
    if (const auto* text = dynamic_cast<const TextHunk*>(&hunk)) {
        WriteNumber(json, "offset", text->offset);
        WriteNumber(json, "length", text->length);
        WriteNumber(json, "textFlags", text->flags);
    }
    if (const auto* overlay = dynamic_cast<const OverlayHunk*>(&hunk)) {
        WriteNumber(json, "x", overlay->x);
        WriteNumber(json, "y", overlay->y);
    }
    if (const auto* picture = dynamic_cast<const PNGObject*>(&hunk)) {
        json.Key("regions");
        json.BeginArray();
        for (const Rect& r : picture->regions) {
            json.Item();
            json.BeginArray();
            for (const int32_t edge : {r.left, r.top, r.right, r.bottom}) {
                json.Item();
                json.Number(edge);
            }
            json.EndArray();
        }
        json.EndArray();
    }
}

void WriteHunk(JsonWriter& json, const Hunk& hunk) {
    json.BeginObject();
    json.Key("type");
    json.String(KindName(hunk.GetType()));
    WriteNumber(json, "line", hunk.lineNumber);
    WriteNumber(json, "lines", hunk.lineCount);
    WriteText(json, "title", hunk.GetName());
    json.Key("flags");
    json.String(FlagLetters(hunk));
    if (const auto* items = dynamic_cast<const ItemsHunk*>(&hunk)) {
        json.Key("children");
        json.BeginArray();
        for (const KLUObject* child : items->children) {
            json.Item();
            WriteObject(json, *child);
        }
        json.EndArray();
    }
    WriteKindFields(json, hunk);
    if (const auto* unknown = dynamic_cast<const UnknownHunk*>(&hunk))
        WriteText(json, "keyword", unknown->keyword);
    json.EndObject();
}

void WriteObject(JsonWriter& json, const KLUObject& object) {
    if (object.IsHunk()) {
        WriteHunk(json, static_cast<const Hunk&>(object));
        return;
    }
    json.BeginObject();
    WriteText(json, "text", object.GetName());
    json.Key("flags");
    json.String(FlagLetters(object));
    json.EndObject();
}

}  // namespace

void WriteDocumentJson(std::ostream& out, const HintDocument& document, int result) {
    JsonWriter json(out);
    json.BeginObject();
    WriteNumber(json, "result", result);
    json.Key("entries");
    json.BeginArray();
    for (size_t i = 0; i < document.Count(); ++i) {
        json.Item();
        WriteObject(json, *document.Entry(i));
    }
    json.EndArray();
    json.EndObject();
    json.Flush();
    out << '\n';
}

}  // namespace klu::cli
