#include "sort_key.h"

#include <algorithm>
#include <utility>

#include "klu_object.h"
#include "text_util.h"

namespace klu {

std::string SortKey(std::string_view title) {
    std::string key(title);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    if (key.starts_with("A ")) key = key.substr(2) + ", A";
    if (key.starts_with("THE ")) key = key.substr(4) + ", THE";
    return key;
}

bool SortKeyLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldCase(x)) < static_cast<unsigned char>(FoldCase(y));
    });
}

bool TitleLess(const TKLUObject& a, const TKLUObject& b) {
    return SortKeyLess(SortKey(a.GetName()), SortKey(b.GetName()));
}

void SortByTitle(std::vector<TKLUObject*>& entries) {
    // Placing each entry after the last one not greater than it is exactly what a stable sort
    // gives. Keys are made once and folded whole, so that a plain comparison of bytes (unsigned,
    // as std::string compares them) orders them as SortKeyLess does.
    std::vector<std::pair<std::string, TKLUObject*>> keyed;
    keyed.reserve(entries.size());
    for (TKLUObject* entry : entries) {
        std::string key = SortKey(entry->GetName());
        for (char& c : key)
            c = FoldCase(c);
        keyed.emplace_back(std::move(key), entry);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        entries[i] = keyed[i].second;
}

}  // namespace klu
