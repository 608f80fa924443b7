#pragma once

#include <QObject>

class Clock;
class QLabel;

// Keeps a status bar panel showing the date and time: on start and then every 30 seconds.
class StatusClock : public QObject {
    Q_OBJECT

public:
    static constexpr int IntervalMs = 30000;

    // Lives as long as the label does.
    StatusClock(QLabel& label, const Clock& clock);

    void update();

private:
    QLabel& m_label;
    const Clock& m_clock;
};
