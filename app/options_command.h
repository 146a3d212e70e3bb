#pragma once

#include "model/store/settings.h"

class QMdiArea;

namespace klu {

class UserDialogs;

// What Set Options does once the dialog has closed with OK: the fixed font follows the new main
// font, and every window that shows a hunk makes its fonts again and is repainted whole.
void ApplyOptionsToWindows(QMdiArea& client, Settings& settings);

// Set Options as a whole: the dialog, and on OK the windows follow the new settings. True when
// the settings changed.
bool SetOptions(UserDialogs& dialogs, QMdiArea& client, Settings& settings);

}  // namespace klu
