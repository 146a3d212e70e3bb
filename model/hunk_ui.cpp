#include "hunk_ui.h"

namespace klu {
namespace {
HunkUi* installed_ui = nullptr;
}

void SetHunkUi(HunkUi* ui) {
    installed_ui = ui;
}
HunkUi* GetHunkUi() {
    return installed_ui;
}

}  // namespace klu
