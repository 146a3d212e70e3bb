#include "text_bodies.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "hunk_reader.h"
#include "memory_pages.h"
#include "text_hunk.h"

namespace klu {
namespace {

struct Body {
    TTextHunk* hunk = nullptr;
    std::vector<std::string_view> lines;
    size_t begin = 0;  // the bytes from the first line's start to the last line's end
    size_t end = 0;
    bool shared = false;
};

// Every text hunk below hunk, in tree order, as LoadData visits them.
void CollectTextHunks(THunk& hunk, std::vector<TTextHunk*>& found) {
    if (hunk.GetType() == TEXT) found.push_back(static_cast<TTextHunk*>(&hunk));
    if (auto* items = dynamic_cast<TItemsHunk*>(&hunk)) {
        for (TKLUObject* child : items->children) {
            if (THunk* child_hunk = child->AsHunk()) CollectTextHunks(*child_hunk, found);
        }
    }
}

// Marks the bodies whose bytes overlap another's.
void MarkShared(std::vector<Body>& bodies) {
    std::vector<Body*> by_start;
    for (Body& body : bodies) {
        if (body.begin < body.end) by_start.push_back(&body);
    }
    std::sort(by_start.begin(), by_start.end(),
              [](const Body* a, const Body* b) { return a->begin < b->begin; });
    Body* reaching = nullptr;  // of the bodies so far, the one that reaches furthest
    for (Body* body : by_start) {
        if (reaching && body->begin < reaching->end) {
            body->shared = reaching->shared = true;
            if (body->end <= reaching->end) continue;
        }
        reaching = body;
    }
}

// Gives back the pages of bytes that hold no body kept in place.
void ReleaseAllBut(std::string_view bytes, HintStream& stream, std::vector<Body>& bodies) {
    std::vector<std::pair<size_t, size_t>> kept;
    for (const Body& body : bodies) {
        if (!body.shared && body.begin < body.end) kept.emplace_back(body.begin, body.end);
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

void LoadTextBodiesInPlace(HunkReader& reader, THunk& root) {
    std::vector<TTextHunk*> hunks;
    if (reader.textHunks > 0) CollectTextHunks(root, hunks);
    const std::string_view bytes = reader.stream.Bytes();
    std::vector<Body> bodies(hunks.size());
    for (size_t i = 0; i < hunks.size(); ++i) {
        Body& body = bodies[i];
        body.hunk = hunks[i];
        body.lines = body.hunk->ReadBody(reader);
        if (body.lines.empty()) continue;
        body.begin = static_cast<size_t>(body.lines.front().data() - bytes.data());
        const std::string_view last = body.lines.back();
        body.end = static_cast<size_t>(last.data() + last.size() - bytes.data());
    }
    MarkShared(bodies);
    // Shared bodies first, while every byte is as the file holds it.
    for (Body& body : bodies) {
        if (body.shared) body.hunk->AddBody(reader, body.lines, false);
    }
    ReleaseAllBut(bytes, reader.stream, bodies);
    for (Body& body : bodies) {
        if (!body.shared) body.hunk->AddBody(reader, body.lines, true);
    }
}

}  // namespace klu
