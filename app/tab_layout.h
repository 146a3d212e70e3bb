#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

#include "model/store/settings.h"

class QMdiArea;
class QMdiSubWindow;
class QShortcut;

namespace klu {

// Shows the windows of a work area as tabs or as separate windows. As tabs, each window fills
// the area and Ctrl+Tab, Ctrl+Shift+Tab step through the tabs in the order they stand (the
// area's tab bar itself closes a tab on a middle click); separate windows keep the area's own
// handling of those keys.
class TabLayout : public QObject {
    Q_OBJECT

  public:
    // place puts a window that has no place of its own yet where a new window would go.
    TabLayout(QMdiArea& area, std::function<void(QMdiSubWindow&)> place);

    void Apply(WindowLayout layout);
    WindowLayout Layout() const;
    bool Tabbed() const { return Layout() == WindowLayout::Tabs; }

    // A window that opens as a tab; it is placed only once the windows are separate.
    void AddUnplaced(QMdiSubWindow& frame) { unplaced_.append(&frame); }
    // Makes the window the active one: restored when the windows are separate, filling the
    // area as a tab.
    void BringToFront(QMdiSubWindow& frame);

  private:
    void StepTab(int step);

    QMdiArea& area_;
    std::function<void(QMdiSubWindow&)> place_;
    QList<QPointer<QMdiSubWindow>> unplaced_;
    QShortcut* nextTab_;
    QShortcut* previousTab_;
};

}  // namespace klu
