#include "schema.h"

#include "EngineRules.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString readSchema(EngineKind engine) {
    QFile file(EngineRules::of(engine).schemaResource());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Whether the database already holds a table of the shop; says so in `error`.
bool holdsShopTables(QSqlQuery& q, const ShopPlace& place, QString& error) {
    if (!q.exec(
            QStringLiteral("SELECT count(*) FROM information_schema.tables "
                           "WHERE table_schema = current_schema() AND "
                           "table_name IN ('customers', 'orders', 'order_details', 'items')")) ||
        !q.next()) {
        error = q.lastError().text();
        return true;
    }
    if (q.value(0).toInt() == 0)
        return false;
    error = place.address() + QStringLiteral(" already holds a shop");
    return true;
}

} // namespace

QString applySchema(QSqlDatabase& db, EngineKind engine) {
    QSqlQuery q(db);
    for (const QString& statement : schemaStatements(engine)) {
        if (!q.exec(statement))
            return q.lastError().text();
    }
    // A server database is made whole by this program; only files of older ones exist.
    if (engine == EngineKind::Sqlite &&
        !q.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)))
        return q.lastError().text();
    return {};
}

QStringList schemaStatements(EngineKind engine) {
    Q_INIT_RESOURCE(store);
    static const QRegularExpression comment(QStringLiteral("--[^\n]*"));
    // A statement ends with a line ending in ';', but a trigger's body holds statements of its
    // own and ends with the line "END;".
    QStringList statements;
    QString statement;
    for (const QString& line : readSchema(engine).remove(comment).split(QLatin1Char('\n'))) {
        statement += line + QLatin1Char('\n');
        const bool trigger = statement.trimmed().startsWith(QLatin1String("CREATE TRIGGER"));
        const QString end = line.trimmed();
        if (trigger ? end == QLatin1String("END;") : end.endsWith(QLatin1Char(';'))) {
            statements << statement.trimmed().chopped(1);
            statement.clear();
        }
    }
    return statements;
}

bool createSchemaFile(const QString& path, QString& error) {
    if (QFile::exists(path)) {
        error = path + QStringLiteral(" already exists");
        return false;
    }
    const QString name = QStringLiteral("vormel-schema");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        const bool opened = db.open();
        error = opened ? applySchema(db) : db.lastError().text();
        ok = opened && error.isEmpty();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(path);
    return ok;
}

bool beginSchema(QSqlDatabase& db, const ShopPlace& place, QString& error) {
    QSqlQuery q(db);
    const bool begun = q.exec(QStringLiteral("BEGIN"));
    error = begun ? QString() : q.lastError().text();
    return begun && !(place.onServer() && holdsShopTables(q, place, error)) &&
           (error = applySchema(db, place.engine)).isEmpty();
}

bool createSchemaOnServer(const ShopPlace& place, QString& error) {
    const QString name = QStringLiteral("vormel-schema-server");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        EngineRules::of(EngineKind::Postgres).configure(db, place);
        ok = db.open();
        error = ok ? QString() : db.lastError().text();
        QSqlQuery q(db);
        // Tables, indexes and all are made in one transaction, or none of them.
        ok = ok && beginSchema(db, place, error) && q.exec(QStringLiteral("COMMIT"));
        if (!ok && error.isEmpty())
            error = q.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QList<SchemaTable> schemaTables() {
    static const QList<SchemaTable> tables = [] {
        QList<SchemaTable> found;
        const QString name = QStringLiteral("vormel-schema-tables");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QStringLiteral(":memory:"));
            QSqlQuery q(db);
            // The name index is a virtual table whose own tables carry its name as a prefix.
            if (db.open() && applySchema(db).isEmpty() &&
                q.exec(QStringLiteral("SELECT m.name, c.name FROM sqlite_master AS m "
                                      "JOIN pragma_table_info(m.name) AS c "
                                      "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite\\_%' "
                                      "ESCAPE '\\' AND m.name NOT LIKE 'Customers\\_Names%' "
                                      "ESCAPE '\\' ORDER BY m.rowid, c.cid"))) {
                while (q.next()) {
                    if (found.isEmpty() || found.constLast().name != q.value(0).toString())
                        found.append({q.value(0).toString(), {}});
                    found.last().columns << q.value(1).toString();
                }
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return found;
    }();
    return tables;
}
