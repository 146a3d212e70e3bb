#pragma once

#include "center_dialog.h"

namespace klu {

// "KLU_START": the program's name, version and notice, centred over its owner.
class AboutDialog : public TCenterDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace klu
