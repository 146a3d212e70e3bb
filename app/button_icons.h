#pragma once

#include <QIcon>

namespace klu {

// The picture of a control-bar button and its menu item: the icon of the desktop's theme under
// its freedesktop name, else the program's own pictogram.
QIcon ButtonIcon(int id);

// The same for a freedesktop icon name ("go-previous", "go-next", "document-open", ...); a name
// the program draws no pictogram for gives the theme's icon or none.
QIcon ThemedIcon(const char* name);

}  // namespace klu
