#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <vector>

namespace klu {

// The actions and pop-ups made from KLU_MENU. Every action carries its command id as its data,
// its hint as its status tip and its accelerator as its shortcut.
struct BuiltMenu {
    std::map<int, QAction*> actions;
    std::vector<QMenu*> popups;
};

BuiltMenu BuildKluMenu(QMenuBar& bar);

// The command id an action carries; 0 for a separator or a foreign action.
int CommandIdOf(const QAction& action);

}  // namespace klu
