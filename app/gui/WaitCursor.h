// The hourglass cursor for the whole application while a scope runs, restored on every way
// out of it.
#pragma once

#include <QApplication>

namespace glyphora {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace glyphora
