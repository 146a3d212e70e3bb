#pragma once

#include <QSortFilterProxyModel>
#include <string>

namespace klu {

class ContentsModel;

// Narrows the contents to the titles that hold a phrase, letter case and accents ignored, and
// keeps the subjects above each match so that it stays in its place. Titles only: what a
// question's hints say is never looked at.
class ContentsFilter : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    explicit ContentsFilter(ContentsModel& contents, QObject* parent = nullptr);

    void SetPhrase(const QString& phrase);
    bool IsFiltering() const { return !phrase_.empty(); }
    // Whether the title at the index (of this model) holds the phrase itself, rather than being
    // kept for a match below it.
    bool Matches(const QModelIndex& index) const;
    // The first title, in file order, that holds the phrase; invalid when none does.
    QModelIndex FirstMatch(const QModelIndex& below = {}) const;

  protected:
    bool filterAcceptsRow(int source_row, const QModelIndex& source_parent) const override;

  private:
    bool TitleMatches(const QModelIndex& source_index) const;

    ContentsModel& contents_;
    std::string phrase_;  // folded Windows-1252
};

}  // namespace klu
