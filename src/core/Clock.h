#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// Where logic gets the time from, so due dates and late charges can be tested on fixed days.
class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time, whole seconds.
    virtual QDateTime now() const = 0;
    // Milliseconds on a clock that never jumps back (for waits, not for dates).
    virtual qint64 elapsedMs() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock : public Clock {
public:
    SystemClock();
    QDateTime now() const override;
    qint64 elapsedMs() const override;

private:
    QElapsedTimer m_timer;
};
