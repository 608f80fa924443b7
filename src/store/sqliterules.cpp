#include "Connection.h"
#include "EngineRules.h"

#include <QDir>
#include <QUrl>

namespace {

class SqliteRules final : public EngineRules {
public:
    QString driver() const override { return QStringLiteral("QSQLITE"); }

    void configure(QSqlDatabase& db, const ShopPlace& place) const override {
        // mode=rw: a missing file is an error, never a new empty database.
        const QString uri =
            QUrl::fromLocalFile(QDir(place.folder).absoluteFilePath(Connection::LiveFile))
                .toString(QUrl::FullyEncoded);
        db.setDatabaseName(uri + QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    }

    // A saved visit must survive a power cut; relations stay unenforced by design. A month's
    // summary or a ranking of a shop some years old reads far more index pages than SQLite's
    // default 2 MB cache keeps, and reading them again from the file costs more than 8 MB.
    QStringList sessionSettings() const override {
        return {
            QStringLiteral("PRAGMA journal_mode=DELETE"), QStringLiteral("PRAGMA synchronous=FULL"),
            QStringLiteral("PRAGMA cache_size=-8192"), QStringLiteral("PRAGMA foreign_keys=OFF")};
    }

    QString columnsQuery() const override {
        return QStringLiteral("SELECT m.name || '.' || c.name FROM sqlite_master AS m "
                              "JOIN pragma_table_info(m.name) AS c WHERE m.type = 'table' "
                              "AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    }

    QString refusal(Connection&) const override { return {}; }

    // Writing the version it already holds needs the file and, for the journal, its folder.
    QStringList writeProbe(Connection& db) const override {
        auto version =
            db.run(QStringLiteral("PRAGMA user_version"), {}, QStringLiteral("OpenDatabase"));
        if (!version || !version->next())
            return {};
        const qint64 number = version->value(0).toLongLong();
        version->finish();
        return {QStringLiteral("PRAGMA user_version = %1").arg(number)};
    }

    QString beginWrite() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    bool lost(const QSqlDatabase&, const QSqlError&) const override { return false; }
    QString schemaResource() const override { return QStringLiteral(":/store/schema.sql"); }
};

} // namespace

const EngineRules& sqliteRules() {
    static const SqliteRules rules;
    return rules;
}
