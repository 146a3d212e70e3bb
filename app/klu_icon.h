#pragma once

#include <QIcon>
#include <QImage>

namespace klu {

// "A_KLU_ICON": the program's icon, as DrawKluIcon rendered it at build time into the
// program's resources; loading it needs no font.
QIcon KluIcon();

// The program's icon drawn at size by size pixels; the icon files of an installed reader are
// rendered from it at build time.
QImage DrawKluIcon(int size);

}  // namespace klu
