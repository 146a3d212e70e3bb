#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <map>
#include <unordered_map>
#include <vector>

#include "model/format/hunk_kind.h"

namespace klu {

class Hunk;

// The tree of a loaded file as the contents pane lists it: subjects, questions, nested hints,
// texts, pictures, sounds and the other hunks that open something, in file order, each by its
// title only. Links, blanks and overlays stand for other places and are left out; a picture's
// hot spots are listed under the picture. A question carries a mark of how many hints were
// revealed. The lists of children are made the first time a view asks for them, so a large file
// costs nothing until its subjects are opened.
class ContentsModel : public QAbstractItemModel {
    Q_OBJECT

  public:
    explicit ContentsModel(QObject* parent = nullptr);
    ~ContentsModel() override;

    // The tree to list, or none; root must outlive the model or be replaced before it goes.
    void SetRoot(Hunk* root);
    Hunk* Root() const { return root_; }

    Hunk* HunkAt(const QModelIndex& index) const;
    // Where the hunk stands in the tree, or an invalid index when it is not listed.
    QModelIndex IndexOf(const Hunk* hunk) const;
    // The revealed count of the hunk changed (of every question when hunk is none).
    void RevealedChanged(const Hunk* hunk);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    // The listed hunks below hunk (looking through a picture's object into its hot spots).
    const std::vector<Hunk*>& ListedChildren(const Hunk* hunk) const;
    // The listed hunk that holds hunk, or none.
    const Hunk* ListedParent(const Hunk* hunk) const;
    QModelIndex IndexAt(int row, const Hunk* hunk) const;
    QIcon KindIcon(HunkKind kind) const;

    Hunk* root_ = nullptr;
    mutable std::unordered_map<const Hunk*, std::vector<Hunk*>> children_;
    mutable std::unordered_map<const Hunk*, int> rows_;
    mutable std::map<int, QIcon> icons_;
};

}  // namespace klu
