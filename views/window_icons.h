#pragma once

#include <QIcon>
#include <string>

namespace klu {

// The icon of a child window by its kind name: the icon "<kind>_ICON" ("SUBJECT_ICON",
// "HINT_ICON", "VERBOSE_ICON", ...). A kind without an icon of its own gets the subject's.
QIcon WindowIcon(const std::string& kind_name);

// The name of the icon that a kind name selects, and whether the program has it.
std::string WindowIconName(const std::string& kind_name);
bool HasWindowIcon(const std::string& kind_name);

}  // namespace klu
