#include "search.h"

#include <vector>

#include "link_hunk.h"
#include "meta_text_hunk.h"
#include "text_util.h"

namespace klu {
namespace {

// The texts of the direct children; a blank follows a child that ends a source line or a
// visual line, while a piece cut off by an in-line command joins the next piece directly.
std::string SearchableText(const TItemsHunk& hunk) {
    std::string text;
    for (const TKLUObject* child : hunk.children) {
        text += child->GetName();
        if (child->endsSourceLine || child->hardBreak) text += ' ';
    }
    return text;
}

void AppendMatch(TItemsHunk& hunk, TMetaTextHunk& results) {
    std::vector<THunk*> chain;
    for (THunk* h = &hunk; h; h = h->parent)
        chain.push_back(h);
    results.breakMode = 2;
    // From just below the top of the chain down to the matching hunk.
    for (size_t i = chain.size() - 1; i-- > 0;) {
        const THunk* element = chain[i];
        auto* link = new TLinkHunk(element->title.str(), &results);
        link->targetLine = element->lineNumber;
        link->marker = element->marker;
        results.Insert(link, false, false);
        if (i > 0) results.Insert(new THunkLine(":"), false, false);
    }
    results.breakMode = 0;
    results.AddChild(new THunkLine(" "));
}

}  // namespace

// Lines, links and media hunks are never matches themselves.
void THunk::Find(std::string_view, TMetaTextHunk&) {}

void TItemsHunk::Find(std::string_view phrase, TMetaTextHunk& results) {
    if (FindNoCase(SearchableText(*this), phrase) != std::string_view::npos) {
        AppendMatch(*this, results);
    }
    ForEachChildHunk([&](THunk* child) { child->Find(phrase, results); });
}

std::string SearchTitle(std::string_view phrase) {
    return "Search Results for \"" + std::string(phrase) + "\"";
}

std::unique_ptr<TMetaTextHunk> FindInTree(THunk& root, std::string_view phrase) {
    auto results = std::make_unique<TMetaTextHunk>(SearchTitle(phrase), &root, SUBJECT);
    root.Find(phrase, *results);
    return results;
}

}  // namespace klu
