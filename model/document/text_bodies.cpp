#include "model/document/text_bodies.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "model/document/hunk_reader.h"
#include "model/files/memory_pages.h"
#include "model/document/text_hunk.h"

namespace klu {
namespace {

// Only where each body lies is held, not its lines: those are found again as it is added.
struct Body {
    TextHunk* hunk = nullptr;
    StoredBody stored;
    bool shared = false;
};

// Every text hunk below hunk, in tree order, as LoadData visits them.
void CollectTextHunks(Hunk& hunk, std::vector<TextHunk*>& found) {
    if (hunk.GetType() == TEXT) found.push_back(static_cast<TextHunk*>(&hunk));
    if (auto* items = dynamic_cast<ItemsHunk*>(&hunk)) {
        for (KLUObject* child : items->children) {
            if (Hunk* child_hunk = child->AsHunk()) CollectTextHunks(*child_hunk, found);
        }
    }
}

// Marks the bodies whose bytes overlap another's.
void MarkShared(std::vector<Body>& bodies) {
    std::vector<Body*> by_start;
    for (Body& body : bodies) {
        if (body.stored.begin < body.stored.end) by_start.push_back(&body);
    }
    std::sort(by_start.begin(), by_start.end(),
              [](const Body* a, const Body* b) { return a->stored.begin < b->stored.begin; });
    Body* reaching = nullptr;  // of the bodies so far, the one that reaches furthest
    for (Body* body : by_start) {
        if (reaching && body->stored.begin < reaching->stored.end) {
            body->shared = reaching->shared = true;
            if (body->stored.end <= reaching->stored.end) continue;
        }
        reaching = body;
    }
}

// Gives back the pages of bytes that hold no body kept in place.
void ReleaseAllBut(std::string_view bytes, HintStream& stream, std::vector<Body>& bodies) {
    std::vector<std::pair<size_t, size_t>> kept;
    for (const Body& body : bodies) {
        if (!body.shared && body.stored.begin < body.stored.end)
            kept.emplace_back(body.stored.begin, body.stored.end);
    }
    std::sort(kept.begin(), kept.end());
    char* start = stream.Writable(bytes);
    size_t from = 0;
    for (const auto& [begin, end] : kept) {
        ReleasePages(start + from, begin - from);
        from = end;
    }
    ReleasePages(start + from, bytes.size() - from);
}

}  // namespace

void LoadTextBodiesInPlace(HunkReader& reader, Hunk& root) {
    std::vector<TextHunk*> hunks;
    if (reader.textHunks > 0) CollectTextHunks(root, hunks);
    const std::string_view bytes = reader.stream.Bytes();
    std::vector<Body> bodies(hunks.size());
    for (size_t i = 0; i < hunks.size(); ++i) {
        bodies[i].hunk = hunks[i];
        bodies[i].stored = hunks[i]->ReadBody(reader);
    }
    MarkShared(bodies);
    // Shared bodies first, while every byte is as the file holds it.
    for (Body& body : bodies) {
        if (body.shared) body.hunk->AddBody(reader, body.stored, false);
    }
    for (Body& body : bodies) {
        if (!body.shared) body.hunk->AddBody(reader, body.stored, true);
    }
    // Only now: giving back part of a huge page splits it, which makes the first touch of each
    // of its small pages afterwards cost far more than reading it did before.
    ReleaseAllBut(bytes, reader.stream, bodies);
}

}  // namespace klu
