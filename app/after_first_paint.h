#pragma once

#include <QWidget>
#include <functional>

namespace klu {

// Runs task once the widget has painted for the first time, after that paint pass and behind
// whatever the pass queued: work that nothing on the screen needs yet does not hold up the
// first picture. A widget that never paints never runs it; the
// task goes with the widget.
void RunAfterFirstPaint(QWidget& widget, std::function<void()> task);

}  // namespace klu
