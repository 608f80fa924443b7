#include "benchrun.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

namespace {

constexpr int NameWidth = 34;

QString verdict(bool met) {
    return met ? QStringLiteral("ok") : QStringLiteral("MISSED");
}

// The middle run, or the mean of the two middle ones.
double median(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    const qsizetype n = ms.size();
    return n % 2 ? ms.at(n / 2) : (ms.at(n / 2 - 1) + ms.at(n / 2)) / 2;
}

} // namespace

BenchResult measure(const BenchCase& c, int runs) {
    BenchResult r{c.name, 0, 0, 0, c.targetMs, false};
    QList<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        const bool ok = c.run();
        const double elapsed = double(timer.nsecsElapsed()) / 1e6;
        if (!ok)
            return r;
        ms << elapsed;
    }
    r.runs = int(ms.size());
    r.medianMs = median(ms);
    r.worstMs = *std::max_element(ms.begin(), ms.end());
    r.ran = true;
    return r;
}

QString resultHeading() {
    return QStringLiteral("operation").leftJustified(NameWidth) +
           QStringLiteral("  runs   median ms    worst ms   target ms");
}

QString resultLine(const BenchResult& r) {
    return r.name.leftJustified(NameWidth) + QStringLiteral("%1%2%3%4  %5")
                                                 .arg(r.runs, 6)
                                                 .arg(r.medianMs, 12, 'f', 3)
                                                 .arg(r.worstMs, 12, 'f', 3)
                                                 .arg(r.targetMs, 12, 'f', 0)
                                                 .arg(verdict(r.met()));
}

double peakMemoryMB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // The file claims to be empty, so it is read whole rather than line by line.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.simplified().split(' ').value(1).toDouble() / 1024;
    }
    return -1;
}

QString memoryLine(double peakMB, double limitMB) {
    // The figure under the medians, the limit under the targets.
    return QStringLiteral("peak memory").leftJustified(NameWidth) +
           QStringLiteral("%1 MB%2 MB  %3")
               .arg(peakMB, 15, 'f', 1)
               .arg(limitMB, 21, 'f', 0)
               .arg(verdict(peakMB >= 0 && peakMB < limitMB));
}
