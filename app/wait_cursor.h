#pragma once

#include <QApplication>

namespace kalvex::app {

// The hourglass while the wizard loads or opens something, back to normal however
// that ends, so that a failure's error box does not come up under a busy cursor.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace kalvex::app
