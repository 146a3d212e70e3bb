#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <map>
#include <unordered_map>
#include <vector>

namespace klu {

class THunk;

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
    void SetRoot(THunk* root);
    THunk* Root() const { return root_; }

    THunk* HunkAt(const QModelIndex& index) const;
    // Where the hunk stands in the tree, or an invalid index when it is not listed.
    QModelIndex IndexOf(const THunk* hunk) const;
    // The revealed count of the hunk changed (of every question when hunk is none).
    void RevealedChanged(const THunk* hunk);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    // The listed hunks below hunk (looking through a picture's object into its hot spots).
    const std::vector<THunk*>& ListedChildren(const THunk* hunk) const;
    // The listed hunk that holds hunk, or none.
    const THunk* ListedParent(const THunk* hunk) const;
    QModelIndex IndexAt(int row, const THunk* hunk) const;
    QIcon KindIcon(int kind) const;

    THunk* root_ = nullptr;
    mutable std::unordered_map<const THunk*, std::vector<THunk*>> children_;
    mutable std::unordered_map<const THunk*, int> rows_;
    mutable std::map<int, QIcon> icons_;
};

}  // namespace klu
