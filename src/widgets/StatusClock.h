#pragma once

#include <QObject>

class Clock;
class QLabel;
class QStatusBar;

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

// The panels of a window's status bar: messages on the left, the clock on the right.
struct StatusPanels {
    QLabel* message;
    QLabel* clock;
};

// Gives `bar` the status bar every window has: named sbMain, with the message panel sbPanel1
// and the clock in sbPanel2, kept current from `clock`.
StatusPanels FillStatusBar(QStatusBar& bar, const Clock& clock);
