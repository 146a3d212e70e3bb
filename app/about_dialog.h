#pragma once

#include "centered_dialog.h"

namespace klu {

// "KLU_START": the program's name, version and notice, centred over its owner.
class AboutDialog : public CenteredDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace klu
