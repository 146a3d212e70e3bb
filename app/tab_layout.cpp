#include "tab_layout.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QTabBar>

#include "views/hunk_window.h"

namespace klu {

namespace {

// The area makes its tab bar when it turns to tabs and deletes it when it leaves them.
QTabBar* TabBarOf(const QMdiArea& area) {
    return area.findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly);
}

void RestoreFocus(QMdiSubWindow* frame) {
    if (auto* child = frame ? qobject_cast<HunkWindow*>(frame->widget()) : nullptr)
        child->RestoreFocus();
}

}  // namespace

TabLayout::TabLayout(QMdiArea& area, std::function<void(QMdiSubWindow&)> place)
    : QObject(&area),
      area_(area),
      place_(std::move(place)),
      nextTab_(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), &area)),
      previousTab_(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), &area)) {
    connect(nextTab_, &QShortcut::activated, this, [this] { StepTab(1); });
    connect(previousTab_, &QShortcut::activated, this, [this] { StepTab(-1); });
    Apply(WindowLayout::Windows);
}

WindowLayout TabLayout::Layout() const {
    return area_.viewMode() == QMdiArea::TabbedView ? WindowLayout::Tabs : WindowLayout::Windows;
}

void TabLayout::Apply(WindowLayout layout) {
    const bool tabs = layout == WindowLayout::Tabs;
    nextTab_->setEnabled(tabs);
    previousTab_->setEnabled(tabs);
    if (tabs) {
        if (Tabbed()) return;
        area_.setViewMode(QMdiArea::TabbedView);
        area_.setDocumentMode(true);
        area_.setTabsClosable(true);
        area_.setTabsMovable(true);
        return;
    }
    area_.setViewMode(QMdiArea::SubWindowView);
    for (const QPointer<QMdiSubWindow>& frame : std::as_const(unplaced_)) {
        if (frame) place_(*frame);
    }
    unplaced_.clear();
}

// A tab keeps filling the area: shown normal it would stand in it as a window.
void TabLayout::BringToFront(QMdiSubWindow& frame) {
    if (!Tabbed()) frame.showNormal();
    area_.setActiveSubWindow(&frame);
}

void TabLayout::StepTab(int step) {
    QTabBar* bar = TabBarOf(area_);
    if (!bar || bar->count() < 2) return;
    bar->setCurrentIndex((bar->currentIndex() + step + bar->count()) % bar->count());
    RestoreFocus(area_.activeSubWindow());
}

}  // namespace klu
