#pragma once

#include <QIcon>

namespace klu {

// "A_KLU_ICON": the program's icon, drawn rather than loaded.
QIcon KluIcon();

}  // namespace klu
