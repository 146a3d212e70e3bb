#pragma once

#include <QToolBar>

namespace klu {

// The tool bar under the menu, with an etched line along its top edge.
class ControlBar : public QToolBar {
    Q_OBJECT

  public:
    explicit ControlBar(QWidget* parent);

    void AddButton(QAction* action);
    // Empty room of the given width between two groups of buttons.
    void AddGap(int pixels);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace klu
