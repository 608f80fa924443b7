// vormel-bench: times the store's operations on a shop file, beside the same statements run
// through SQLite's C library, and the close on a scratch copy; or the same operations alone on
// a shop on a server. With --counters, runs several counters on the shop at once instead and
// checks the shop afterwards.
//   vormel-bench FILE|ADDRESS
//   vormel-bench --counters N --seconds S [--kill-every MS] [--restart-server-at S] FILE|ADDRESS

#include "Clock.h"
#include "ShopPlace.h"
#include "benchcases.h"
#include "benchclose.h"
#include "benchshop.h"
#include "conductor.h"
#include "counter.h"
#include "rawsqlite.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double MemoryLimitMB = 200;

constexpr int ExitMissed = 3;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

void describe(const QString& path, const BenchShop& shop) {
    print(QStringLiteral("vormel-bench: %1 (load average %2)").arg(path, loadAverage()));
    print(
        QStringLiteral("%1 members, %2 order lines, %3 charges; last day of trade %4; member "
                       "%5 comes in on %6 with %7 copies out; name fragment \"%8\"")
            .arg(shop.members)
            .arg(shop.lines)
            .arg(shop.charges)
            .arg(shop.day.toString(Qt::ISODate), shop.memberID, shop.visitDay.toString(Qt::ISODate))
            .arg(shop.openLines.size())
            .arg(shop.nameFragment));
}

const char* const Usage =
    "usage: vormel-bench FILE\n"
    "       vormel-bench postgresql://USER@HOST:PORT/DBNAME\n"
    "       vormel-bench --counters N --seconds S [--kill-every MS] [--restart-server-at S] "
    "FILE|ADDRESS\n";

int timeOperations(const QString& place) {
    const bool onServer = ShopPlace::isAddress(place);
    BenchShop shop;
    RawSqlite raw;
    QString error;
    if (!shop.open(place, error) || (!onServer && !raw.open(place, error))) {
        std::fprintf(stderr, "vormel-bench: %s\n", error.toLocal8Bit().constData());
        return ExitFailed;
    }
    describe(place, shop);
    if (onServer)
        print(QStringLiteral("On a server: no raw column (that is SQLite's C library on a file) "
                             "and no close (it compacts and backs up a file)."));
    print(resultHeading());
    bool allMet = true;
    double peak = peakMemoryMB();
    const QList<BenchCase> cases =
        benchCases(shop) + (onServer ? QList<BenchCase>() : closeCases(place, error));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vormel-bench: %s\n", error.toLocal8Bit().constData());
        return ExitFailed;
    }
    for (const BenchCase& c : cases) {
        const BenchResult r = measure(c, shop.db(), onServer ? nullptr : &raw);
        if (!r.ran) {
            std::fprintf(stderr, "vormel-bench: %s failed %s\n", c.name.toLocal8Bit().constData(),
                         raw.error().toLocal8Bit().constData());
            return ExitFailed;
        }
        print(resultLine(r));
        allMet = allMet && r.met();
        peak = std::max(peak, r.peakMB);
    }
    print(memoryLine(peak, MemoryLimitMB));
    allMet = allMet && peak >= 0 && peak < MemoryLimitMB;
    return allMet ? 0 : ExitMissed;
}

// A whole number of at least `least` from option `name`, or none.
std::optional<int> number(const QCommandLineParser& args, const QString& name, int least) {
    bool ok = false;
    const int value = args.value(name).toInt(&ok);
    return ok && value >= least ? std::optional<int>(value) : std::nullopt;
}

// The load test, or one of its counters (started by the load test itself).
int runLoad(const QCommandLineParser& args, const QString& place) {
    if (args.isSet(QStringLiteral("counter"))) {
        return runCounter(place, args.value(QStringLiteral("counter")),
                          args.value(QStringLiteral("until")).toLongLong(),
                          args.value(QStringLiteral("log")));
    }
    CounterRun run;
    run.place = place;
    const auto counters = number(args, QStringLiteral("counters"), 1);
    const auto seconds = number(args, QStringLiteral("seconds"), 1);
    const auto kill = args.isSet(QStringLiteral("kill-every"))
                          ? number(args, QStringLiteral("kill-every"), 100)
                          : std::optional<int>(0);
    const auto restart = args.isSet(QStringLiteral("restart-server-at"))
                             ? number(args, QStringLiteral("restart-server-at"), 0)
                             : std::optional<int>(-1);
    if (!counters || !seconds || !kill || !restart ||
        (*restart >= 0 && !ShopPlace::isAddress(place))) {
        std::fputs(Usage, stderr);
        std::fputs("--counters and --seconds are 1 or more, --kill-every 100 ms or more; "
                   "--restart-server-at is for a server\n",
                   stderr);
        return ExitUsage;
    }
    run.counters = *counters;
    run.seconds = *seconds;
    run.killEveryMs = *kill;
    run.restartServerAtS = *restart;
    return runCounters(run);
}

} // namespace

int main(int argc, char* argv[]) {
    nameLocalTimeZone();
    // Reports are laid out with fonts and written as PDF files; nothing is ever shown. Without a
    // runtime folder Qt would make one itself and say so on stderr, among the bench's own lines.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QGuiApplication app(argc, argv);
    QCommandLineParser args;
    for (const char* name :
         {"counters", "seconds", "kill-every", "restart-server-at", "counter", "until", "log"})
        args.addOption({QString::fromLatin1(name), QString(), QStringLiteral("value")});
    if (!args.parse(app.arguments()) || args.positionalArguments().size() != 1) {
        std::fputs(Usage, stderr);
        return ExitUsage;
    }
    const QString place = args.positionalArguments().first();
    if (args.isSet(QStringLiteral("counters")) || args.isSet(QStringLiteral("counter")))
        return runLoad(args, place);
    if (!args.optionNames().isEmpty()) {
        std::fputs(Usage, stderr);
        return ExitUsage;
    }
    return timeOperations(place);
}
