#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace klu {

// The wait cursor for as long as the object lives; the cursor before comes back after it.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace klu
