// vormel-db: makes working database files.
//   vormel-db create [--demo] [--shop-name NAME] FILE

#include "Clock.h"
#include "ConsoleMessages.h"
#include "dbfile.h"
#include "demo.h"
#include "utility.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

const char* const Usage = "usage: vormel-db create [--demo] [--shop-name NAME] FILE\n";

int usage() {
    std::fputs(Usage, stderr);
    return ExitUsage;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption demo(QStringLiteral("demo"));
    const QCommandLineOption shopName(QStringLiteral("shop-name"), QString(),
                                      QStringLiteral("NAME"));
    parser.addOptions({help, demo, shopName});
    if (!parser.parse(app.arguments()))
        return usage();
    if (parser.isSet(help)) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2 || args.at(0) != QStringLiteral("create") || args.at(1).isEmpty())
        return usage();

    const SystemClock clock;
    WorkingFileSpec spec;
    spec.created = NowStamp(clock);
    spec.shopName = parser.value(shopName);
    if (parser.isSet(demo)) {
        const QDate today = spec.created.date();
        spec.fill = [today](Connection& db) { return addDemoShop(db, today); };
    }
    ConsoleMessages messages;
    QString error;
    if (!createWorkingFile(args.at(1), spec, messages, error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return ExitFailed;
    }
    return 0;
}
