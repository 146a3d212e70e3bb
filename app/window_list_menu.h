#pragma once

#include <QMenu>

namespace klu {

class DocumentArea;

// Lists the open child windows at the end of the Windows pop-up each time it is about to open,
// as MDI frames do: "&1 title" and on, the active window checked, after one separator. Choosing
// an item activates its window and gives the keyboard focus to the control that held it.
class WindowListMenu {
  public:
    WindowListMenu(QMenu& menu, DocumentArea& client);

    void Refresh();

  private:
    QMenu& menu_;
    DocumentArea& client_;
    QList<QAction*> items_;  // the separator and the window items of the last time
};

}  // namespace klu
