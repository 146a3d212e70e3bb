#include "contents_model.h"

#include <algorithm>

#include "model/document/hunk.h"
#include "model/format/hunk_kind.h"
#include "model/document/items_hunk.h"
#include "reveal_mark.h"
#include "window_icons.h"
#include "windows1252.h"

namespace klu {

namespace {

bool IsListed(HunkKind kind) {
    switch (kind) {
        case SUBJECT:
        case HINT:
        case NESTHINT:
        case TEXT:
        case HYPERPNG:
        case GIFA:
        case SOUND:
        case INFO:
        case COMMENT:
        case CREDIT:
            return true;
        default:
            return false;
    }
}

// A picture's object only carries the hot spots of its picture.
bool IsSeeThrough(HunkKind kind) {
    return kind == PNGOBJECT;
}

const ItemsHunk* HintHolder(const Hunk* hunk) {
    const HunkKind kind = hunk->GetType();
    return kind == HINT || kind == NESTHINT ? dynamic_cast<const ItemsHunk*>(hunk) : nullptr;
}

// Whether CollectListed would find anything, without making the list.
bool HasListed(const Hunk* hunk) {
    const auto* items = dynamic_cast<const ItemsHunk*>(hunk);
    if (!items) return false;
    for (KLUObject* child : items->children) {
        const Hunk* child_hunk = child->AsHunk();
        if (!child_hunk) continue;
        if (IsListed(child_hunk->GetType())) return true;
        if (IsSeeThrough(child_hunk->GetType()) && HasListed(child_hunk)) return true;
    }
    return false;
}

void CollectListed(const Hunk* hunk, std::vector<Hunk*>& listed) {
    const auto* items = dynamic_cast<const ItemsHunk*>(hunk);
    if (!items) return;
    for (KLUObject* child : items->children) {
        Hunk* child_hunk = child->AsHunk();
        if (!child_hunk) continue;
        if (IsListed(child_hunk->GetType())) {
            listed.push_back(child_hunk);
        } else if (IsSeeThrough(child_hunk->GetType())) {
            CollectListed(child_hunk, listed);
        }
    }
}

const QList<int> kRevealRoles = {Qt::DecorationRole, Qt::ToolTipRole,
                                 Qt::AccessibleDescriptionRole};

}  // namespace

ContentsModel::ContentsModel(QObject* parent) : QAbstractItemModel(parent) {}

ContentsModel::~ContentsModel() = default;

void ContentsModel::SetRoot(Hunk* root) {
    beginResetModel();
    root_ = root;
    children_.clear();
    rows_.clear();
    endResetModel();
}

Hunk* ContentsModel::HunkAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Hunk*>(index.internalPointer()) : nullptr;
}

const std::vector<Hunk*>& ContentsModel::ListedChildren(const Hunk* hunk) const {
    const auto found = children_.find(hunk);
    if (found != children_.end()) return found->second;
    std::vector<Hunk*>& listed = children_[hunk];
    CollectListed(hunk, listed);
    for (size_t row = 0; row < listed.size(); ++row)
        rows_[listed[row]] = static_cast<int>(row);
    return listed;
}

const Hunk* ContentsModel::ListedParent(const Hunk* hunk) const {
    const Hunk* parent = hunk->parent;
    while (parent && parent != root_ && !IsListed(parent->GetType()))
        parent = parent->parent;
    return parent;
}

QModelIndex ContentsModel::IndexAt(int row, const Hunk* hunk) const {
    return createIndex(row, 0, const_cast<Hunk*>(hunk));
}

QModelIndex ContentsModel::IndexOf(const Hunk* hunk) const {
    if (!root_ || !hunk) return {};
    if (hunk == root_) return IndexAt(0, root_);
    if (!IsListed(hunk->GetType())) return {};
    const Hunk* parent = ListedParent(hunk);
    if (!parent || !IndexOf(parent).isValid()) return {};
    ListedChildren(parent);
    const auto row = rows_.find(hunk);
    return row == rows_.end() ? QModelIndex() : IndexAt(row->second, hunk);
}

void ContentsModel::RevealedChanged(const Hunk* hunk) {
    if (hunk) {
        const QModelIndex changed = IndexOf(hunk);
        if (changed.isValid()) emit dataChanged(changed, changed, kRevealRoles);
        return;
    }
    if (!root_) return;
    const QModelIndex top = IndexAt(0, root_);
    emit dataChanged(top, top, kRevealRoles);
    // The receivers may ask for more lists meanwhile.
    std::vector<std::pair<const Hunk*, int>> lists;
    for (const auto& [parent, listed] : children_) {
        if (!listed.empty()) lists.emplace_back(parent, static_cast<int>(listed.size()));
    }
    for (const auto& [parent, count] : lists) {
        const QModelIndex parent_index = IndexOf(parent);
        emit dataChanged(index(0, 0, parent_index), index(count - 1, 0, parent_index),
                         kRevealRoles);
    }
}

QModelIndex ContentsModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || !root_) return {};
    if (!parent.isValid()) return row == 0 ? IndexAt(0, root_) : QModelIndex();
    const std::vector<Hunk*>& listed = ListedChildren(HunkAt(parent));
    if (static_cast<size_t>(row) >= listed.size()) return {};
    return IndexAt(row, listed[static_cast<size_t>(row)]);
}

QModelIndex ContentsModel::parent(const QModelIndex& child) const {
    const Hunk* hunk = HunkAt(child);
    if (!hunk || hunk == root_) return {};
    return IndexOf(ListedParent(hunk));
}

int ContentsModel::rowCount(const QModelIndex& parent) const {
    if (!root_ || parent.column() > 0) return 0;
    if (!parent.isValid()) return 1;
    return static_cast<int>(ListedChildren(HunkAt(parent)).size());
}

int ContentsModel::columnCount(const QModelIndex&) const {
    return 1;
}

// Only kinds that hold other hunks are looked into, and no list is made for the answer: a view
// asks this of every row it shows, long lists of subjects and questions too.
bool ContentsModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid()) return root_ != nullptr;
    const Hunk* hunk = HunkAt(parent);
    const HunkKind kind = hunk->GetType();
    if (hunk != root_ && kind != SUBJECT && kind != NESTHINT && kind != HYPERPNG) return false;
    const auto listed = children_.find(hunk);
    return listed != children_.end() ? !listed->second.empty() : HasListed(hunk);
}

QIcon ContentsModel::KindIcon(HunkKind kind) const {
    const int key = static_cast<int>(kind);
    auto found = icons_.find(key);
    if (found == icons_.end())
        found = icons_.emplace(key, WindowIcon(std::string(KindName(kind)))).first;
    return found->second;
}

// The view hides its header; a screen reader still names the column.
QVariant ContentsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("Title");
    return {};
}

QVariant ContentsModel::data(const QModelIndex& index, int role) const {
    const Hunk* hunk = HunkAt(index);
    if (!hunk) return {};
    const ItemsHunk* holder = HintHolder(hunk);
    switch (role) {
        case Qt::DisplayRole:
            return FromWindows1252(hunk->GetName());
        case Qt::DecorationRole: {
            if (!holder) return KindIcon(hunk->GetType());
            const RevealState state = RevealStateOf(holder->GetRevealed(), holder->HintCount());
            // Below every kind id, so that the marks share the cache of the kind icons.
            const int key = -1 - static_cast<int>(state);
            auto found = icons_.find(key);
            if (found == icons_.end()) found = icons_.emplace(key, RevealMark(state)).first;
            return found->second;
        }
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole: {
            if (!holder) return {};
            const int32_t count = holder->HintCount();
            return QStringLiteral("%1 of %2")
                .arg(std::clamp(holder->GetRevealed(), 0, count))
                .arg(count);
        }
        default:
            return {};
    }
}

}  // namespace klu
