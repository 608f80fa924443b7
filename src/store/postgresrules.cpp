#include "Connection.h"
#include "EngineRules.h"

#include <QSqlDriver>
#include <QSqlError>

#include <libpq-fe.h>

namespace {

// The oldest server whose SQL and behaviour the store has been proven on.
constexpr int OldestServer = 150000;

class PostgresRules final : public EngineRules {
public:
    QString driver() const override { return QStringLiteral("QPSQL"); }

    void configure(QSqlDatabase& db, const ShopPlace& place) const override {
        db.setHostName(place.host);
        db.setPort(place.port);
        db.setDatabaseName(place.name);
        db.setUserName(place.user);
        db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=Vormel"));
    }

    QStringList sessionSettings() const override {
        return {QStringLiteral("SET client_encoding = 'UTF8'")};
    }

    QString columnsQuery() const override {
        return QStringLiteral("SELECT table_name || '.' || column_name "
                              "FROM information_schema.columns "
                              "WHERE table_schema = current_schema()");
    }

    QString refusal(Connection& db) const override {
        auto q = db.run(QStringLiteral("SELECT current_setting('server_version_num'), "
                                       "current_setting('server_version')"),
                        {}, QStringLiteral("OpenDatabase"));
        if (!q || !q->next())
            return QStringLiteral("the server did not say its version");
        if (q->value(0).toInt() >= OldestServer)
            return {};
        return QStringLiteral("the server runs PostgreSQL %1; Vormel needs 15 or later")
            .arg(q->value(1).toString());
    }

    // Refused on a read-only server or for a user who may not change the shop's rows.
    QStringList writeProbe(Connection&) const override {
        return {QStringLiteral("LOCK TABLE SerialNo IN ROW EXCLUSIVE MODE NOWAIT")};
    }

    QString beginWrite() const override { return QStringLiteral("BEGIN"); }

    bool lost(const QSqlDatabase& db, const QSqlError& error) const override {
        // A server shutting down tells its sessions so (57P01, 57P02) before libpq has seen
        // the socket close; class 08 is a connection failure.
        const QString code = error.nativeErrorCode();
        if (code.startsWith(QLatin1String("57P0")) || code.startsWith(QLatin1String("08")))
            return true;
        const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "PGconn*") != 0)
            return false;
        PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
        return connection && PQstatus(connection) == CONNECTION_BAD;
    }

    QString schemaResource() const override {
        return QStringLiteral(":/store/schema-postgresql.sql");
    }
};

} // namespace

const EngineRules& postgresRules() {
    static const PostgresRules rules;
    return rules;
}
