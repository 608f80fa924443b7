#include "conductor.h"

#include "ConsoleMessages.h"
#include "benchrun.h"
#include "countercheck.h"
#include "counterlog.h"
#include "serverrestart.h"
#include "shopfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// How long the counters may take past the end: one may be trying a save again.
constexpr int FinishMs = 60000;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

double percentile(QList<double> values, double share) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = qsizetype(share * double(values.size() - 1) + 0.5);
    return values.at(std::min(at, values.size() - 1));
}

// The counter processes, started and killed; their logs are kept in one folder.
class Counters {
public:
    Counters(const CounterRun& run, qint64 untilMs) : m_run(run), m_until(untilMs) {}

    bool ready() const { return m_logs.isValid(); }
    void startAll() {
        for (int i = 0; i < m_run.counters; ++i)
            m_running.push_back(start());
    }
    // Kills one at random with SIGKILL and starts another in its place.
    void killOne() {
        const auto at = QRandomGenerator::global()->bounded(qsizetype(m_running.size()));
        m_running[at]->kill();
        m_running[at]->waitForFinished();
        m_running[at] = start();
        ++m_kills;
    }
    // False when one of them ended badly on its own.
    bool finish() {
        bool clean = true;
        for (const auto& process : m_running) {
            if (!process->waitForFinished(int(m_until - nowMs()) + FinishMs))
                process->kill();
            clean =
                clean && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        }
        return clean;
    }
    CounterLog logs() const {
        CounterLog all;
        for (const QString& id : m_ids) {
            const CounterLog one = readCounterLog(m_logs.filePath(id), id);
            all.visits += one.visits;
            all.notes += one.notes;
        }
        return all;
    }
    int kills() const { return m_kills; }

private:
    std::unique_ptr<QProcess> start() {
        const QString id = QStringLiteral("K%1").arg(m_ids.size() + 1, 2, 10, QLatin1Char('0'));
        m_ids << id;
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--counter"), id, QStringLiteral("--until"),
                        QString::number(m_until), QStringLiteral("--log"), m_logs.filePath(id),
                        m_run.place});
        return process;
    }

    const CounterRun& m_run;
    const qint64 m_until;
    QTemporaryDir m_logs;
    QStringList m_ids;
    std::vector<std::unique_ptr<QProcess>> m_running;
    int m_kills = 0;
};

// Runs the counters for the run's time, killing and restarting as asked. What the restart
// came to goes to `restarted`; false when it failed.
bool conduct(const CounterRun& run, Counters& counters, qint64 startMs, QString& restarted) {
    bool restartOk = true;
    const qint64 until = startMs + qint64(run.seconds) * 1000;
    const auto nextKill = [&run] {
        return nowMs() + run.killEveryMs / 2 + QRandomGenerator::global()->bounded(run.killEveryMs);
    };
    qint64 killAt = run.killEveryMs > 0 ? nextKill() : until;
    bool restartDue = run.restartServerAtS >= 0;
    while (nowMs() < until) {
        QThread::msleep(20);
        if (nowMs() >= killAt && nowMs() < until) {
            counters.killOne();
            killAt = nextKill();
        }
        if (restartDue && nowMs() >= startMs + qint64(run.restartServerAtS) * 1000) {
            restartDue = false;
            const qint64 began = nowMs();
            QString error;
            restartOk = restartServer(run.place, error);
            restarted = restartOk ? QStringLiteral("server restarted at %1 s (down and up in %2 s)")
                                        .arg(run.restartServerAtS)
                                        .arg(double(nowMs() - began) / 1000, 0, 'f', 1)
                                  : QStringLiteral("server restart failed: ") + error;
        }
    }
    return restartOk;
}

void printVisits(const CounterRun& run, const QList<CounterVisit>& visits) {
    QList<double> saveMs;
    QMap<QString, int> refusals;
    int refused = 0, open = 0, retried = 0;
    for (const CounterVisit& v : visits) {
        if (v.end == CounterVisit::End::Saved)
            saveMs << v.saveMs;
        if (v.end == CounterVisit::End::Refused)
            ++refusals[v.refusal];
        refused += v.end == CounterVisit::End::Refused;
        open += v.uncertain();
        retried += v.failures > 0;
    }
    print(QStringLiteral("visits saved: %1 (%2 a second); refused at save: %3")
              .arg(saveMs.size())
              .arg(double(saveMs.size()) / run.seconds, 0, 'f', 1)
              .arg(refused));
    print(QStringLiteral("save time: median %1 ms, 99th percentile %2 ms, worst %3 ms")
              .arg(percentile(saveMs, 0.5), 0, 'f', 2)
              .arg(percentile(saveMs, 0.99), 0, 'f', 2)
              .arg(percentile(saveMs, 1), 0, 'f', 2));
    for (auto kind = refusals.cbegin(); kind != refusals.cend(); ++kind)
        print(QStringLiteral("  refused %1 times: %2").arg(kind.value(), 5).arg(kind.key()));
    print(QStringLiteral("saves failed and tried again: %1; visits of unknown outcome: %2")
              .arg(retried)
              .arg(open));
}

// The shop opened for a look before or after the run: no connection of the conductor's is
// open while the counters work, so none is cut by a server restart.
class ShopLook {
public:
    bool open(const QString& place) {
        QString error;
        if (m_shop.open(place, m_messages, error))
            return true;
        std::fprintf(stderr, "vormel-bench: %s\n", error.toLocal8Bit().constData());
        return false;
    }
    Connection& db() { return m_shop.db(); }

private:
    ConsoleMessages m_messages;
    ShopFile m_shop;
};

std::optional<ShopCensus> census(const QString& place) {
    ShopLook shop;
    ShopCensus found;
    if (!shop.open(place) || !takeCensus(shop.db(), found))
        return std::nullopt;
    return found;
}

// What the counters' connections reported, the most frequent first.
void printNotes(const QStringList& notes) {
    QMap<QString, int> counted;
    for (const QString& note : notes)
        ++counted[note.simplified().left(160)];
    QList<std::pair<int, QString>> order;
    for (auto note = counted.cbegin(); note != counted.cend(); ++note)
        order.append({-note.value(), note.key()});
    std::sort(order.begin(), order.end());
    for (const auto& [count, text] : order.mid(0, 5))
        print(QStringLiteral("  noted %1 times: %2").arg(-count, 5).arg(text));
}

} // namespace

int runCounters(const CounterRun& run) {
    const std::optional<ShopCensus> before = census(run.place);
    if (!before)
        return 1;
    print(QStringLiteral("vormel-bench: counters %1, for %2 s on %3 (load average %4)")
              .arg(run.counters)
              .arg(run.seconds)
              .arg(run.place, loadAverage()));
    const qint64 startMs = nowMs();
    Counters counters(run, startMs + qint64(run.seconds) * 1000);
    if (!counters.ready())
        return 1;
    counters.startAll();
    QString restarted;
    const bool restartOk = conduct(run, counters, startMs, restarted);
    const bool clean = counters.finish();
    const CounterLog log = counters.logs();
    printVisits(run, log.visits);
    print(QStringLiteral("counters killed and started again: %1%2; connection errors noted: %3")
              .arg(counters.kills())
              .arg(restarted.isEmpty() ? QString() : QStringLiteral("; ") + restarted)
              .arg(log.notes.size()));
    printNotes(log.notes);
    ShopLook shop;
    if (!shop.open(run.place))
        return 1;
    const QStringList violations = checkShop(shop.db(), *before, log.visits);
    for (const QString& violation : violations)
        print(QStringLiteral("VIOLATION ") + violation);
    print(QStringLiteral("%1 violations").arg(violations.size()));
    if (!clean)
        print(QStringLiteral("a counter process ended with an error (see above)"));
    return violations.isEmpty() && clean && restartOk ? 0 : 1;
}
