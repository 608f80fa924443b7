// vormel-db: makes working shops, in database files or on a server, and copies them.
//   vormel-db create [--demo] [--shop-name NAME] PLACE
//   vormel-db generate [--members N] [--titles N] [--copies N] [--years N] [--seed N]
//                      [--shop-name NAME] PLACE
//   vormel-db upgrade PLACE
//   vormel-db copy SOURCE DESTINATION

#include "Clock.h"
#include "ConsoleMessages.h"
#include "commandline.h"
#include "dbfile.h"
#include "newshop.h"
#include "schema.h"
#include "shopcopy.h"
#include "shopfile.h"
#include "upgrade.h"
#include "utility.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

void printLine(const QString& line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

int failed(const QString& error) {
    std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
    return ExitFailed;
}

WorkingFileSpec generateSpec(const DbCommand& command, shop::RowCounts& written) {
    const GenerateOptions options = command.generate;
    WorkingFileSpec spec;
    spec.created = options.created();
    spec.shopName = command.shopName;
    spec.fill = [options, &written](Connection& db) {
        return addGeneratedShop(db, options, written);
    };
    return spec;
}

// One line on what went into the generated file, and how long it took.
void reportGenerated(const DbCommand& command, const shop::RowCounts& n, qint64 ms) {
    const GenerateOptions& o = command.generate;
    const QString line =
        QStringLiteral("%1: trade from %2 to %3; %4 members, %5 titles, %6 copies, %7 orders, "
                       "%8 order lines, %9 charges, %10 sales, %11 adjustments; %12 s")
            .arg(command.file, o.opening().toString(Qt::ISODate),
                 GenerateOptions::lastDay().toString(Qt::ISODate))
            .arg(n.members)
            .arg(n.products)
            .arg(n.copies)
            .arg(n.orders)
            .arg(n.lines)
            .arg(n.charges)
            .arg(n.sales)
            .arg(n.adjustments)
            .arg(double(ms) / 1000, 0, 'f', 1);
    printLine(line);
}

// Adds what a file made by an older program lacks; a current file is left alone. A shop on a
// server is always made whole by this program.
int upgrade(const QString& file) {
    QString error;
    if (ShopPlace::isAddress(file)) {
        if (!ShopPlace::fromAddress(file, error))
            return failed(error);
        printLine(file + QStringLiteral(": a shop on a server is made whole by vormel-db; "
                                        "nothing to upgrade"));
        return 0;
    }
    ConsoleMessages messages;
    ShopFile shop;
    if (!shop.open(file, messages, error))
        return failed(error);
    switch (UpgradeSchema(shop.db())) {
    case UpgradeResult::Upgraded:
        std::printf("%s: upgraded to schema version %d\n", file.toLocal8Bit().constData(),
                    SchemaVersion);
        return 0;
    case UpgradeResult::Current:
        std::printf("%s: already at schema version %d; nothing to do\n",
                    file.toLocal8Bit().constData(), SchemaVersion);
        return 0;
    case UpgradeResult::Failed:
        break;
    }
    std::fprintf(stderr, "%s: not upgraded; the file is as it was\n",
                 file.toLocal8Bit().constData());
    return ExitFailed;
}

int copy(const DbCommand& command) {
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!copyShop(command.source, command.file, printLine, error))
        return failed(error + QStringLiteral("\nnothing was copied to ") + command.file);
    printLine(QStringLiteral("copied %1 to %2; %3 s")
                  .arg(command.source, command.file)
                  .arg(double(timer.elapsed()) / 1000, 0, 'f', 1));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    nameLocalTimeZone();
    QCoreApplication app(argc, argv);
    const std::optional<DbCommand> command = parseDbCommand(app.arguments());
    if (!command) {
        std::fputs(DbUsage, stderr);
        return ExitUsage;
    }
    if (command->kind == DbCommand::Kind::Help) {
        std::fputs(DbUsage, stdout);
        return 0;
    }
    if (command->kind == DbCommand::Kind::Upgrade)
        return upgrade(command->file);
    if (command->kind == DbCommand::Kind::Copy)
        return copy(*command);
    const bool generating = command->kind == DbCommand::Kind::Generate;
    shop::RowCounts written;
    const WorkingFileSpec spec = generating ? generateSpec(*command, written)
                                            : newShopSpec(command->demo, command->shopName);
    ConsoleMessages messages;
    QString error;
    QElapsedTimer timer;
    timer.start();
    if (!createShop(command->file, spec, messages, error))
        return failed(error);
    if (generating)
        reportGenerated(*command, written, timer.elapsed());
    return 0;
}
