#include "options_command.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "user_dialogs.h"
#include "views/hunk_window.h"

namespace klu {

void ApplyOptionsToWindows(QMdiArea& client, Settings& settings) {
    settings.fixedFont = FixedFontOf(settings.mainFont);
    for (QMdiSubWindow* window : client.subWindowList()) {
        if (auto* child = qobject_cast<HunkWindow*>(window->widget())) child->CreateFonts();
        window->update();
    }
}

bool SetOptions(UserDialogs& dialogs, QMdiArea& client, Settings& settings) {
    if (!dialogs.RunOptions(settings)) return false;
    ApplyOptionsToWindows(client, settings);
    return true;
}

}  // namespace klu
