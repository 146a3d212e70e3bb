#include "model/store/sort_key.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "model/document/klu_object.h"
#include "model/text/text_util.h"

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

bool TitleLess(const KLUObject& a, const KLUObject& b) {
    return SortKeyLess(SortKey(a.GetName()), SortKey(b.GetName()));
}

namespace {

// SortKey with every letter folded as FoldCase does, made in one string: a plain comparison of
// bytes (unsigned, as std::string compares them) then orders keys as SortKeyLess does.
std::string FoldedSortKey(std::string_view title) {
    std::string folded(title);
    for (char& c : folded)
        c = FoldCase(c);
    std::string_view rest(folded);
    std::string_view suffix;
    if (rest.starts_with("A ")) {
        rest.remove_prefix(2);
        suffix = rest.starts_with("THE ") ? ", A, THE" : ", A";
        if (rest.starts_with("THE ")) rest.remove_prefix(4);
    } else if (rest.starts_with("THE ")) {
        rest.remove_prefix(4);
        suffix = ", THE";
    }
    if (suffix.empty()) return folded;
    std::string key;
    key.reserve(rest.size() + suffix.size());
    key.append(rest).append(suffix);
    return key;
}

}  // namespace

std::vector<std::string> SortByTitleKeys(std::vector<KLUObject*>& entries) {
    // Placing each entry after the last one not greater than it is exactly what a stable sort
    // gives. Keys are made once; the sort moves numbers, not strings.
    std::vector<std::string> keys;
    keys.reserve(entries.size());
    for (const KLUObject* entry : entries)
        keys.push_back(FoldedSortKey(entry->GetName()));
    std::vector<uint32_t> order(entries.size());
    for (uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](uint32_t x, uint32_t y) { return keys[x] < keys[y]; });
    std::vector<KLUObject*> sorted_entries(entries.size());
    std::vector<std::string> sorted_keys(entries.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted_entries[i] = entries[order[i]];
        sorted_keys[i] = std::move(keys[order[i]]);
    }
    entries = std::move(sorted_entries);
    return sorted_keys;
}

void SortByTitle(std::vector<KLUObject*>& entries) {
    (void)SortByTitleKeys(entries);
}

}  // namespace klu
