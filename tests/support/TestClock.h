#pragma once

#include "Clock.h"

// A clock that stands still until a test sets or advances it.
class TestClock : public Clock {
public:
    explicit TestClock(QDateTime start = QDateTime(QDate(2004, 3, 10), QTime(18, 40)))
        : m_now(start) {}

    QDateTime now() const override { return m_now; }
    qint64 elapsedMs() const override { return m_elapsed; }

    void set(const QDateTime& t) { m_now = t; }
    void advanceMs(qint64 ms) {
        m_elapsed += ms;
        m_now = m_now.addMSecs(ms);
    }
    void advanceDays(int days) { m_now = m_now.addDays(days); }

private:
    QDateTime m_now;
    qint64 m_elapsed = 0;
};
