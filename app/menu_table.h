#pragma once

#include <string>
#include <vector>

namespace klu {

// The address of the maker's web site, opened by Go to the KLU Web Site: the build setting
// KLU_WEB_ADDRESS. Without one, the command is left out of the menu and no message names a web
// site, so that users never see an address that leads nowhere.
const std::string& MakerWebAddress();

// When a command may run.
enum class Enabling {
    Always,
    FileLoaded,  // only while the current document has a root
    View,        // only while the active child window handles it
    Windows,     // only while the windows are separate, not tabs
    History,     // only while there is a window to go back or forward to
};

// One entry of a pop-up: a command, or a separator (id 0).
struct MenuItem {
    int id = 0;
    std::string text;         // with its "&" accelerator and "\t" shortcut text
    std::string accelerator;  // portable key-sequence text; empty for none
    std::string hint;         // the status-bar hint
    Enabling enabling = Enabling::Always;
    bool IsSeparator() const { return id == 0; }
};

struct MenuPopup {
    std::string title;
    std::vector<MenuItem> items;
};

// "KLU_MENU": the four pop-ups, top to bottom as the menu shows them.
const std::vector<MenuPopup>& KluMenu();

// The command's entry of KLU_MENU, or none.
const MenuItem* FindMenuItem(int id);

// A place on the control bar: a button, or a gap of some pixels (id 0).
struct ControlBarSlot {
    int id = 0;
    int gap = 0;
};

// The control bar, left to right.
const std::vector<ControlBarSlot>& ControlBarLayout();

}  // namespace klu
