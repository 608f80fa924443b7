#include "commandline.h"

#include <QCommandLineParser>

const char* const DbUsage =
    "usage: vormel-db create [--demo] [--shop-name NAME] PLACE\n"
    "       vormel-db generate [--members N] [--titles N] [--copies N] [--years N] [--seed N]\n"
    "                          [--shop-name NAME] PLACE\n"
    "       vormel-db upgrade PLACE\n"
    "       vormel-db copy SOURCE DESTINATION\n"
    "PLACE, SOURCE and DESTINATION are each a file, or a database on a PostgreSQL server:\n"
    "  postgresql://USER@HOST:PORT/DBNAME or postgresql://USER@/DBNAME?host=/SOCKET/FOLDER\n"
    "create, generate and copy make a new file, or fill an empty server database.\n";

namespace {

struct Size {
    const char* name;
    qint64 lowest;
    qint64 highest;
};

// Members are numbered from 001001 in six digits; copies five digits per category letter.
const Size Sizes[] = {{"members", 1, 900000},
                      {"titles", 1, 100000},
                      {"copies", 1, 300000},
                      {"years", 1, 20},
                      {"seed", 0, 4294967295}};

bool readSize(const QCommandLineParser& parser, const Size& size, qint64& value) {
    const QString name = QString::fromLatin1(size.name);
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    value = parser.value(name).toLongLong(&ok);
    return ok && value >= size.lowest && value <= size.highest;
}

bool readGenerateOptions(const QCommandLineParser& parser, GenerateOptions& o) {
    qint64 values[] = {o.members, o.titles, o.copies, o.years, o.seed};
    for (int i = 0; i < int(std::size(Sizes)); ++i) {
        if (!readSize(parser, Sizes[i], values[i]))
            return false;
    }
    o.members = int(values[0]);
    o.titles = int(values[1]);
    o.copies = int(values[2]);
    o.years = int(values[3]);
    o.seed = std::uint32_t(values[4]);
    // Every title has at least one copy.
    return o.copies >= o.titles;
}

bool anySizeSet(const QCommandLineParser& parser) {
    for (const Size& s : Sizes) {
        if (parser.isSet(QString::fromLatin1(s.name)))
            return true;
    }
    return false;
}

} // namespace

std::optional<DbCommand> parseDbCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption demo(QStringLiteral("demo"));
    const QCommandLineOption shopName(QStringLiteral("shop-name"), QString(),
                                      QStringLiteral("NAME"));
    parser.addOptions({help, demo, shopName});
    for (const Size& s : Sizes)
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(s.name), QString(), QStringLiteral("N")));
    if (!parser.parse(arguments))
        return std::nullopt;
    DbCommand command;
    if (parser.isSet(help))
        return command;
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || args.size() != (args.at(0) == QStringLiteral("copy") ? 3 : 2) ||
        args.contains(QString()))
        return std::nullopt;
    command.file = args.last();
    command.shopName = parser.value(shopName);
    if (args.at(0) == QStringLiteral("create") && !anySizeSet(parser)) {
        command.kind = DbCommand::Kind::Create;
        command.demo = parser.isSet(demo);
        return command;
    }
    if (args.at(0) == QStringLiteral("generate") && !parser.isSet(demo) &&
        readGenerateOptions(parser, command.generate)) {
        command.kind = DbCommand::Kind::Generate;
        return command;
    }
    // Neither upgrade nor copy takes an option.
    if (parser.isSet(demo) || parser.isSet(shopName) || anySizeSet(parser))
        return std::nullopt;
    if (args.at(0) == QStringLiteral("upgrade")) {
        command.kind = DbCommand::Kind::Upgrade;
        return command;
    }
    if (args.at(0) == QStringLiteral("copy")) {
        command.kind = DbCommand::Kind::Copy;
        command.source = args.at(1);
        return command;
    }
    return std::nullopt;
}
