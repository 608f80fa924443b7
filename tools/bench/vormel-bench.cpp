// vormel-bench: times the store's operations on a shop file, beside the same statements run
// through SQLite's C library, and the close on a scratch copy; or the same operations alone on
// a shop on a server.
//   vormel-bench FILE|ADDRESS

#include "Clock.h"
#include "ShopPlace.h"
#include "benchcases.h"
#include "benchclose.h"
#include "benchshop.h"
#include "rawsqlite.h"

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
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        std::fputs("usage: vormel-bench FILE\n"
                   "       vormel-bench postgresql://USER@HOST:PORT/DBNAME\n",
                   stderr);
        return ExitUsage;
    }
    const QString place = args.first();
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
