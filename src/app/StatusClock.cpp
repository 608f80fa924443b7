#include "StatusClock.h"

#include "Clock.h"
#include "utility.h"

#include <QLabel>
#include <QTimer>

StatusClock::StatusClock(QLabel& label, const Clock& clock)
    : QObject(&label), m_label(label), m_clock(clock) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(IntervalMs);
    connect(timer, &QTimer::timeout, this, &StatusClock::update);
    timer->start();
    update();
}

void StatusClock::update() {
    m_label.setText(ClockText(m_clock.now()));
}
