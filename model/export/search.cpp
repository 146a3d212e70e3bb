#include "model/export/search.h"

#include "model/document/meta_text_hunk.h"

namespace klu {

std::string SearchTitle(std::string_view phrase) {
    return "Search Results for \"" + std::string(phrase) + "\"";
}

std::unique_ptr<MetaTextHunk> FindInTree(Hunk& root, std::string_view phrase) {
    auto results = std::make_unique<MetaTextHunk>(SearchTitle(phrase), &root, SUBJECT);
    root.Find(phrase, *results);
    return results;
}

}  // namespace klu
