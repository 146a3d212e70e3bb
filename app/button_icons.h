#pragma once

#include <QIcon>
#include <QStyle>

namespace klu {

// The picture of a control-bar button and its menu item: the icon of the desktop's theme under
// its freedesktop name, else the program's own, drawn for normal and for doubled scales.
QIcon ButtonIcon(int id, const QStyle& style);

}  // namespace klu
