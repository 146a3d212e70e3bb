#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace klu {

// The mouse's back and forward buttons, pressed anywhere in the window, trigger the two
// actions. The press goes to the widget under the pointer, which may take it before the window
// sees it, so the buttons are watched for the whole application.
class MouseNavigation : public QObject {
    Q_OBJECT

  public:
    MouseNavigation(QWidget& window, QAction& back, QAction& forward);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    QAction& back_;
    QAction& forward_;
};

}  // namespace klu
