#include "benchrun.h"

#include "Connection.h"
#include "rawsqlite.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr int NameWidth = 34;
// The runs, median, worst, target, raw and ratio columns.
constexpr int TimingWidth = 6 + 5 * 12;

QString verdict(bool met) {
    return met ? QStringLiteral("ok") : QStringLiteral("MISSED");
}

// The middle run, or the mean of the two middle ones.
double median(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    const qsizetype n = ms.size();
    return n % 2 ? ms.at(n / 2) : (ms.at(n / 2 - 1) + ms.at(n / 2)) / 2;
}

// The statements one run of the case sends, as the connection binds them.
QList<TracedStatement> record(const BenchCase& c, Connection& db, bool& ok) {
    QList<TracedStatement> statements;
    db.setTrace([&statements](const QString& sql, const QVariantList& bound) {
        statements.append({sql, bound});
    });
    ok = c.run();
    db.setTrace({});
    return statements;
}

double elapsedMs(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

QString ratioText(const BenchResult& r) {
    if (r.ratio() < 0)
        return QStringLiteral("-");
    const QString ratio = QString::number(r.ratio(), 'f', 2);
    return r.ratioGoal > 0 ? ratio + QLatin1Char('/') + QString::number(r.ratioGoal) : ratio;
}

} // namespace

bool BenchResult::met() const {
    const bool withinMemory = limitMB <= 0 || (peakMB >= 0 && peakMB < limitMB);
    const bool withinRatio = ratioGoal <= 0 || (ratio() >= 0 && ratio() <= ratioGoal);
    return ran && medianMs <= targetMs && withinMemory && withinRatio;
}

BenchResult measure(const BenchCase& c, Connection& db, RawSqlite* raw) {
    const bool compared = c.compareRaw && raw;
    BenchResult r;
    r.name = c.name;
    r.targetMs = c.targetMs;
    r.limitMB = c.limitMB;
    r.ratioGoal = compared ? c.ratioGoal : 0;
    bool ok = true;
    const QList<TracedStatement> statements =
        compared ? record(c, db, ok) : QList<TracedStatement>();
    QList<double> ms;
    QList<double> rawMs;
    QElapsedTimer timer;
    resetPeakMemory();
    for (int i = 0; ok && i < c.runs; ++i) {
        timer.start();
        ok = c.run();
        ms << elapsedMs(timer);
        if (ok && compared) {
            timer.start();
            ok = raw->replay(statements);
            rawMs << elapsedMs(timer);
        }
    }
    if (!ok)
        return r;
    r.runs = int(ms.size());
    r.medianMs = median(ms);
    r.worstMs = *std::max_element(ms.begin(), ms.end());
    r.rawMedianMs = rawMs.isEmpty() ? -1 : median(rawMs);
    r.peakMB = peakMemoryMB();
    r.ran = true;
    return r;
}

QString resultHeading() {
    return QStringLiteral("operation").leftJustified(NameWidth) +
           QStringLiteral("  runs   median ms    worst ms   target ms      raw ms  ratio/goal"
                          "   peak MB  limit MB");
}

QString resultLine(const BenchResult& r) {
    const QString limit = r.limitMB > 0 ? QString::number(r.limitMB, 'f', 0) : QStringLiteral("-");
    const QString rawMs =
        r.rawMedianMs < 0 ? QStringLiteral("-") : QString::number(r.rawMedianMs, 'f', 3);
    return r.name.leftJustified(NameWidth) + QStringLiteral("%1%2%3%4%5%6%7%8  %9")
                                                 .arg(r.runs, 6)
                                                 .arg(r.medianMs, 12, 'f', 3)
                                                 .arg(r.worstMs, 12, 'f', 3)
                                                 .arg(QString::number(r.targetMs), 12)
                                                 .arg(rawMs, 12)
                                                 .arg(ratioText(r), 12)
                                                 .arg(r.peakMB, 10, 'f', 1)
                                                 .arg(limit, 10)
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

void resetPeakMemory() {
    // What earlier cases freed goes back to the system first, so it does not count again.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    // Linux resets VmHWM to the current size when "5" is written here; elsewhere the mark
    // simply keeps counting from the start, which only overstates a case's peak.
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

QString memoryLine(double peakMB, double limitMB) {
    // The figure under the cases' peaks, the limit under theirs.
    return QStringLiteral("peak memory").leftJustified(NameWidth + TimingWidth) +
           QStringLiteral("%1%2  %3")
               .arg(peakMB, 10, 'f', 1)
               .arg(limitMB, 10, 'f', 0)
               .arg(verdict(peakMB >= 0 && peakMB < limitMB));
}

void print(const QString& line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

// The machine's load average as the run starts: the figures mean little without it.
QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}
