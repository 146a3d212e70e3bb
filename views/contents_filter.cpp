#include "contents_filter.h"

#include "contents_model.h"
#include "model/document/hunk.h"
#include "model/text/text_fold.h"
#include "windows1252.h"

namespace klu {

ContentsFilter::ContentsFilter(ContentsModel& contents, QObject* parent)
    : QSortFilterProxyModel(parent), contents_(contents) {
    setRecursiveFilteringEnabled(true);
    setSourceModel(&contents);
}

void ContentsFilter::SetPhrase(const QString& phrase) {
    std::string folded = FoldForMatch(ToWindows1252(phrase));
    if (folded == phrase_) return;
    phrase_ = std::move(folded);
    invalidate();
}

bool ContentsFilter::TitleMatches(const QModelIndex& source_index) const {
    const Hunk* hunk = contents_.HunkAt(source_index);
    return hunk && FoldForMatch(hunk->GetName()).find(phrase_) != std::string::npos;
}

bool ContentsFilter::Matches(const QModelIndex& index) const {
    return IsFiltering() && TitleMatches(mapToSource(index));
}

QModelIndex ContentsFilter::FirstMatch(const QModelIndex& below) const {
    for (int row = 0; row < rowCount(below); ++row) {
        const QModelIndex child = index(row, 0, below);
        if (Matches(child)) return child;
        if (const QModelIndex match = FirstMatch(child); match.isValid()) return match;
    }
    return {};
}

bool ContentsFilter::filterAcceptsRow(int source_row, const QModelIndex& source_parent) const {
    return phrase_.empty() || TitleMatches(contents_.index(source_row, 0, source_parent));
}

}  // namespace klu
