#pragma once

#include <QApplication>
#include <QCursor>

// Shows the hourglass while a long step blocks the window, and the normal pointer again
// however the step ends.
class HourglassGuard {
public:
    HourglassGuard() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~HourglassGuard() { QApplication::restoreOverrideCursor(); }
    HourglassGuard(const HourglassGuard&) = delete;
    HourglassGuard& operator=(const HourglassGuard&) = delete;
};
