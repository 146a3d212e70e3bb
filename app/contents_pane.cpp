#include "contents_pane.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTreeView>
#include <QVBoxLayout>

#include "after_first_paint.h"
#include "document_area.h"
#include "model/document/hunk.h"
#include "views/hunk_window.h"
#include "views/contents_filter.h"
#include "views/contents_model.h"

namespace klu {

ContentsPane::ContentsPane(AppState& state, DocumentArea& client, QWidget* parent)
    : QDockWidget(QStringLiteral("Contents"), parent),
      state_(state),
      client_(client),
      contents_(new ContentsModel(this)),
      filter_(new ContentsFilter(*contents_, this)),
      filterLine_(new QLineEdit),
      tree_(new QTreeView) {
    setObjectName(QStringLiteral("ContentsPane"));
    setAccessibleName(QStringLiteral("Contents"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    filterLine_->setPlaceholderText(QStringLiteral("Filter (Ctrl+K)"));
    filterLine_->setAccessibleName(QStringLiteral("Filter contents"));
    // The clear button's icon makes Qt read the desktop's icon theme; it shows only over text.
    RunAfterFirstPaint(*filterLine_, [this] { filterLine_->setClearButtonEnabled(true); });
    filterLine_->installEventFilter(this);

    tree_->setAccessibleName(QStringLiteral("Contents"));
    tree_->setHeaderHidden(true);
    // Every row is one line of text: the view need not measure each of a large file's rows.
    tree_->setUniformRowHeights(true);
    tree_->setExpandsOnDoubleClick(false);
    tree_->setModel(filter_);

    auto* inside = new QWidget;
    auto* layout = new QVBoxLayout(inside);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(filterLine_);
    layout->addWidget(tree_);
    setWidget(inside);

    connect(filterLine_, &QLineEdit::textChanged, this, &ContentsPane::FilterChanged);
    connect(tree_, &QTreeView::activated, this, &ContentsPane::OpenAt);
    connect(&client, &DocumentArea::DocumentClosing, this, [this] { contents_->SetRoot(nullptr); });
    connect(&client, &DocumentArea::DocumentOpened, this, &ContentsPane::ShowDocument);
    connect(&client, &DocumentArea::HintMemoryChanged, contents_, &ContentsModel::RevealedChanged);
    connect(&client, &QMdiArea::subWindowActivated, this, &ContentsPane::FollowWindow);
    // Only the player hides or shows the pane while the frame is up; that is what is kept.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (parentWidget() && parentWidget()->isVisible()) state_.settings.contentsShown = visible;
    });
}

ContentsPane::~ContentsPane() = default;

void ContentsPane::FocusFilter() {
    show();
    raise();
    filterLine_->setFocus(Qt::ShortcutFocusReason);
    filterLine_->selectAll();
}

void ContentsPane::ShowDocument() {
    if (contents_->Root() != state_.currentDocument.GetRoot())
        contents_->SetRoot(state_.currentDocument.GetRoot());
    FilterChanged(filterLine_->text());
}

// The tree is folded before the filter changes: a large tree opened whole would otherwise be
// laid out again for each subject whose rows come back.
void ContentsPane::FilterChanged(const QString& text) {
    tree_->collapseAll();
    filter_->SetPhrase(text);
    if (filter_->IsFiltering()) {
        tree_->expandAll();
        return;
    }
    tree_->expand(filter_->index(0, 0));
    FollowWindow(client_.activeSubWindow());
}

void ContentsPane::FollowWindow(QMdiSubWindow* window) {
    const auto* shown = window ? qobject_cast<HunkWindow*>(window->widget()) : nullptr;
    if (!shown) return;
    const QModelIndex index = filter_->mapFromSource(contents_->IndexOf(&shown->ShownHunk()));
    if (!index.isValid()) return;
    tree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    tree_->scrollTo(index);
}

// The same call a link makes, so that every rule of opening lives in one place.
void ContentsPane::OpenAt(const QModelIndex& index) {
    if (Hunk* hunk = contents_->HunkAt(filter_->mapToSource(index))) hunk->Open();
}

bool ContentsPane::FilterKey(int key) {
    switch (key) {
        case Qt::Key_Down: {
            const QModelIndex first =
                filter_->IsFiltering() ? filter_->FirstMatch() : filter_->index(0, 0);
            if (!first.isValid()) return false;
            tree_->setCurrentIndex(first);
            tree_->setFocus(Qt::TabFocusReason);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OpenAt(filter_->FirstMatch());
            return true;
        case Qt::Key_Escape:
            if (filterLine_->text().isEmpty()) {
                if (QMdiSubWindow* active = client_.activeSubWindow())
                    if (auto* shown = qobject_cast<HunkWindow*>(active->widget()))
                        shown->RestoreFocus();
            } else {
                filterLine_->clear();
            }
            return true;
        default:
            return false;
    }
}

bool ContentsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filterLine_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
            return FilterKey(key->key());
    }
    return QDockWidget::eventFilter(watched, event);
}

}  // namespace klu
