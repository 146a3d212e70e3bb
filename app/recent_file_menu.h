#pragma once

#include <QAction>
#include <QMenu>
#include <functional>

#include "model/store/recent_files.h"

namespace klu {

// Puts the recent files into the pop-up that holds the Exit item, right before it, each time the
// pop-up is about to open: "&1 path" with the id CM_RECENT_FIRST, "&2 path" with the next, and one
// separator after them. The items of the last time go first.
class RecentFileMenu {
  public:
    // chosen gets the entry index of the item the user picks.
    RecentFileMenu(QMenu& menu, QAction& exit_item, const RecentFiles& files,
                   std::function<void(int)> chosen);

    void Refresh();

  private:
    QMenu& menu_;
    QAction& exitItem_;
    const RecentFiles& files_;
    std::function<void(int)> chosen_;
    QAction* separator_ = nullptr;
};

}  // namespace klu
