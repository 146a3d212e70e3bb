#include "model/export/search.h"

#include <vector>

#include "model/document/link_hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

// The texts of the direct children; a blank follows a child that ends a source line or a
// visual line, while a piece cut off by an in-line command joins the next piece directly.
std::string SearchableText(const ItemsHunk& hunk) {
    std::string text;
    for (const KLUObject* child : hunk.children) {
        text += child->GetName();
        if (child->endsSourceLine || child->hardBreak) text += ' ';
    }
    return text;
}

void AppendMatch(ItemsHunk& hunk, MetaTextHunk& results) {
    std::vector<Hunk*> chain;
    for (Hunk* h = &hunk; h; h = h->parent)
        chain.push_back(h);
    results.breakMode = 2;
    // From just below the top of the chain down to the matching hunk.
    for (size_t i = chain.size() - 1; i-- > 0;) {
        const Hunk* element = chain[i];
        auto* link = new LinkHunk(element->title.str(), &results);
        link->targetLine = element->lineNumber;
        link->marker = element->marker;
        results.Insert(link, false, false);
        if (i > 0) results.Insert(new HunkLine(":"), false, false);
    }
    results.breakMode = 0;
    results.AddChild(new HunkLine(" "));
}

}  // namespace

// Lines, links and media hunks are never matches themselves.
void Hunk::Find(std::string_view, MetaTextHunk&) {}

void ItemsHunk::Find(std::string_view phrase, MetaTextHunk& results) {
    if (FindNoCase(SearchableText(*this), phrase) != std::string_view::npos) {
        AppendMatch(*this, results);
    }
    ForEachChildHunk([&](Hunk* child) { child->Find(phrase, results); });
}

std::string SearchTitle(std::string_view phrase) {
    return "Search Results for \"" + std::string(phrase) + "\"";
}

std::unique_ptr<MetaTextHunk> FindInTree(Hunk& root, std::string_view phrase) {
    auto results = std::make_unique<MetaTextHunk>(SearchTitle(phrase), &root, SUBJECT);
    root.Find(phrase, *results);
    return results;
}

}  // namespace klu
