#pragma once

#include <QDialog>

namespace klu {

// "KLU_START": the program's name, version and notice, centred over its owner.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace klu
