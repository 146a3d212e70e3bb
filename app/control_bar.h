#pragma once

#include <QToolBar>

namespace klu {

// "T3DControlBar": the tool bar under the menu, with an etched line along its top edge.
class T3DControlBar : public QToolBar {
    Q_OBJECT

  public:
    explicit T3DControlBar(QWidget* parent);

    void AddButton(QAction* action);
    // Empty room of the given width between two groups of buttons.
    void AddGap(int pixels);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace klu
