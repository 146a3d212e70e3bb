#include "list_window.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include "model/store/file_info.h"
#include "model/document/meta_text_hunk.h"
#include "model/text/text_fold.h"
#include "text_view.h"
#include "windows1252.h"

namespace klu {

ListWindow::ListWindow(std::unique_ptr<MetaTextHunk> shown, std::string kind_name,
                       const Settings& current_settings, QWidget* parent)
    : TextWindow(*shown, std::move(kind_name), current_settings, parent) {
    const size_t entries = shown->GetChildCount();
    TakeOwnership(std::move(shown));
    Control().SetVisibleCount(static_cast<int>(entries));
}

void ListWindow::SetupWindow() {
    TextWindow::SetupWindow();
    Control().setFocus();
}

// Past the last entry no entry is marked, rather than wrapping round to the first.
bool ListWindow::FocusButton(bool) {
    return true;
}

FileListWindow::FileListWindow(std::unique_ptr<MetaTextHunk> listing, const Settings& current_settings,
                       QWidget* parent)
    : ListWindow(std::move(listing), "VERBOSE", current_settings, parent),
      filter_(new QLineEdit(this)) {
    const ItemsHunk& shown = Control().ShownHunk();
    entries_.assign(shown.children.begin(), shown.children.end());
    Control().SetUniformRows(true);
    Control().SetToolTip([](const KLUObject& entry) {
        const auto* file = NodeCast<FileInfo>(&entry);
        return file ? QString::fromLocal8Bit(file->path) : QString();
    });
    filter_->setAccessibleName(QStringLiteral("Filter listing"));
    filter_->setPlaceholderText(QStringLiteral("Filter"));
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, &FileListWindow::ApplyFilter);
}

void FileListWindow::FocusFilter() {
    filter_->setFocus(Qt::ShortcutFocusReason);
    filter_->selectAll();
}

void FileListWindow::LayOut() {
    const int m = Margin();
    const int height = filter_->sizeHint().height();
    filter_->setGeometry(m, m, clientWidth - 2 * m, height);
    Control().setGeometry(m, m + height + m, clientWidth - 2 * m, clientHeight - height - 3 * m);
}

void FileListWindow::ApplyFilter(const QString& text) {
    if (foldedTitles_.empty() && !entries_.empty()) {
        foldedTitles_.reserve(entries_.size());
        for (const KLUObject* entry : entries_)
            foldedTitles_.push_back(FoldForMatch(entry->GetName()));
    }
    const std::string wanted = FoldForMatch(ToWindows1252(text));
    std::vector<KLUObject*> left_out;
    ChildList& children = static_cast<ItemsHunk&>(Control().ShownHunk()).children;
    children.clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (foldedTitles_[i].find(wanted) != std::string::npos) {
            children.push_back(entries_[i]);
        } else {
            left_out.push_back(entries_[i]);
        }
    }
    const int shown = static_cast<int>(children.size());
    // The entries left out stay children, after the visible ones, so that the listing still
    // owns them all.
    for (KLUObject* entry : left_out)
        children.push_back(entry);
    Control().ClearMark();
    Control().verticalScrollBar()->setValue(0);
    Control().SetVisibleCount(shown);
    Control().Relayout();
}

bool FileListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter_ && event->type() == QEvent::KeyPress &&
        FilterKey(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return ListWindow::eventFilter(watched, event);
}

bool FileListWindow::FilterKey(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Down:
            Control().EnterLinks(true);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (Control().VisibleCount() > 0 && Control().IsFocusable(0))
                Control().ShownHunk().GetChild(0)->Open();
            return true;
        case Qt::Key_Escape:
            if (filter_->text().isEmpty()) {
                Control().setFocus(Qt::OtherFocusReason);
            } else {
                filter_->clear();
            }
            return true;
        default:
            return false;
    }
}

SearchResultsWindow::SearchResultsWindow(std::unique_ptr<MetaTextHunk> results, const Settings& current_settings,
                       QWidget* parent)
    : ListWindow(std::move(results), "SUBJECT", current_settings, parent) {}

}  // namespace klu
