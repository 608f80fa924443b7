#include "StatusClock.h"

#include "Clock.h"
#include "utility.h"

#include <QLabel>
#include <QStatusBar>
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

StatusPanels FillStatusBar(QStatusBar& bar, const Clock& clock) {
    bar.setObjectName(QStringLiteral("sbMain"));
    bar.setSizeGripEnabled(false);
    StatusPanels panels{new QLabel(&bar), new QLabel(&bar)};
    panels.message->setObjectName(QStringLiteral("sbPanel1"));
    panels.clock->setObjectName(QStringLiteral("sbPanel2"));
    bar.addWidget(panels.message, 1);
    bar.addPermanentWidget(panels.clock);
    new StatusClock(*panels.clock, clock);
    return panels;
}
