#pragma once

#include <QDockWidget>

#include "app_state.h"

class QLineEdit;
class QMdiSubWindow;
class QTreeView;

namespace klu {

class ContentsFilter;
class ContentsModel;
class DocumentArea;

// The side pane with the open file's contents: a filter line over a tree of titles. Enter or a
// double-click opens a hunk as a link to it would; the tree marks the hunk of the active window
// without taking the keys from it.
class ContentsPane : public QDockWidget {
    Q_OBJECT

  public:
    ContentsPane(AppState& state, DocumentArea& client, QWidget* parent = nullptr);
    ~ContentsPane() override;

    QLineEdit& FilterLine() const { return *filterLine_; }
    QTreeView& Tree() const { return *tree_; }
    ContentsModel& Contents() const { return *contents_; }
    // Shows the pane with the filter line taking the keys.
    void FocusFilter();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowDocument();
    void FilterChanged(const QString& text);
    void FollowWindow(QMdiSubWindow* window);
    void OpenAt(const QModelIndex& index);
    // The keys of the filter line that move into the tree or open a match.
    bool FilterKey(int key);

    AppState& state_;
    DocumentArea& client_;
    ContentsModel* contents_;
    ContentsFilter* filter_;
    QLineEdit* filterLine_;
    QTreeView* tree_;
};

}  // namespace klu
