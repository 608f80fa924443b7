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

// Without TZ, the C library looks at /etc/localtime again on every local-time conversion, and
// opening a visit converts dozens of stored timestamps; naming the zone file once spares the
// look. A TZ the user set is left alone. Called first thing in main().
void nameLocalTimeZone();
