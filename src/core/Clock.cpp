#include "Clock.h"

#include <QTime>

SystemClock::SystemClock() {
    m_timer.start();
}

QDateTime SystemClock::now() const {
    QDateTime t = QDateTime::currentDateTime();
    const QTime time = t.time();
    t.setTime(QTime(time.hour(), time.minute(), time.second()));
    return t;
}

qint64 SystemClock::elapsedMs() const {
    return m_timer.elapsed();
}

void nameLocalTimeZone() {
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
}
