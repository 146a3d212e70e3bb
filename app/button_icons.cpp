#include "button_icons.h"

#include <array>
#include <cstring>

#include "command_ids.h"
#include "views/pictograms.h"

namespace klu {

namespace {

struct ButtonLook {
    int id;  // 0: no command of the control bar
    const char* themeName;
    Pictogram pictogram;
};

constexpr std::array<ButtonLook, 10> kButtons = {{
    {CM_FILEOPEN, "document-open", Pictogram::Open},
    {CM_FINDINFILE, "edit-find", Pictogram::Find},
    {CM_DECODETOTEXT, "document-export", Pictogram::Export},
    {CM_PRINTFILE, "document-print", Pictogram::Print},
    {CM_SAVEWINDOW, "document-save", Pictogram::Save},
    {CM_PRINTWINDOW, "document-print-preview", Pictogram::PrintWindow},
    {CM_SHOWTOPWINDOW, "go-top", Pictogram::TopWindow},
    {CM_SHOWHELPFILE, "help-contents", Pictogram::Help},
    {CM_GOBACK, "go-previous", Pictogram::Back},
    {CM_GOFORWARD, "go-next", Pictogram::Forward},
}};

QIcon Themed(const ButtonLook& look) {
    return QIcon::fromTheme(QString::fromLatin1(look.themeName), PictogramIcon(look.pictogram));
}

const ButtonLook* LookOf(int id) {
    for (const ButtonLook& look : kButtons) {
        if (look.id != 0 && look.id == id) return &look;
    }
    return nullptr;
}

}  // namespace

QIcon ButtonIcon(int id) {
    const ButtonLook* look = LookOf(id);
    return look ? Themed(*look) : QIcon();
}

QIcon ButtonPictogram(int id) {
    const ButtonLook* look = LookOf(id);
    return look ? PictogramIcon(look->pictogram) : QIcon();
}

bool DesktopNamesIconTheme() {
    return QIcon::themeName() != QIcon::fallbackThemeName();
}

QIcon ThemedIcon(const char* name) {
    for (const ButtonLook& look : kButtons) {
        if (std::strcmp(look.themeName, name) == 0) return Themed(look);
    }
    return QIcon::fromTheme(QString::fromLatin1(name));
}

}  // namespace klu
