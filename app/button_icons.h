#pragma once

#include <QIcon>

namespace klu {

// The picture of a control-bar button and its menu item: the icon of the desktop's theme under
// its freedesktop name, else the program's own pictogram.
QIcon ButtonIcon(int id);

// The program's own pictogram of a control-bar button.
QIcon ButtonPictogram(int id);

// Whether the desktop names an icon theme. Without one Qt looks in its fallback theme alone,
// which seldom holds these names and whose index costs more to read than the rest of the
// start-up's icons: the buttons may show their pictograms first and look there later.
bool DesktopNamesIconTheme();

// The same for a freedesktop icon name ("go-previous", "go-next", "document-open", ...); a name
// the program draws no pictogram for gives the theme's icon or none.
QIcon ThemedIcon(const char* name);

}  // namespace klu
