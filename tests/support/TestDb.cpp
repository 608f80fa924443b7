#include "TestDb.h"

#include "baserows.h"
#include "schema.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// A server's NULL number reads as a typed null, which would print as 0.
QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

} // namespace

bool TestDb::onServer() {
    return qEnvironmentVariable("VORMEL_TEST_ENGINE") == QLatin1String("postgresql");
}

ShopPlace TestDb::server(const QString& database) {
    ShopPlace place;
    place.engine = EngineKind::Postgres;
    // The cluster's folder may be a link to a shorter path, as a socket's path must be short.
    place.host = QFileInfo(qEnvironmentVariable("VORMEL_TEST_PGHOST")).canonicalFilePath();
    place.user = QStringLiteral("postgres");
    place.name = database;
    return place;
}

QString TestDb::onServerAdmin(const QString& sql) {
    const QString name = QStringLiteral("vormel-test-admin");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        const ShopPlace admin = server();
        db.setHostName(admin.host);
        db.setUserName(admin.user);
        db.setDatabaseName(admin.name);
        QSqlQuery q(db);
        if (!db.open())
            error = db.lastError().text();
        else if (!q.exec(sql))
            error = q.lastError().text();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

bool TestDb::create() {
    QString error;
    if (!onServer()) {
        m_place = ShopPlace::inFolder(dir.path());
        return dir.isValid() && createSchemaFile(dir.filePath(Connection::LiveFile), error);
    }
    static int shops = 0;
    m_place = server(
        QStringLiteral("vormel_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++shops));
    error = onServerAdmin(QStringLiteral("CREATE DATABASE ") + m_place.name);
    if (error.isEmpty() && createSchemaOnServer(m_place, error))
        return true;
    qWarning("TestDb: %s", qPrintable(error));
    return false;
}

TestDb::~TestDb() {
    connection.reset();
    if (onServer())
        onServerAdmin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_place.name));
}

TestDb::TestDb(bool seeded) {
    if (!create())
        return;
    connection = std::make_unique<Connection>(messages, m_place);
    if (!connection->OpenDatabase()) {
        qWarning("TestDb: %s", qPrintable(connection->LastError()));
        return;
    }
    m_ok = !seeded || writeBaseRows(*connection, QDateTime(QDate(2004, 1, 1), QTime(0, 0)));
}

bool TestDb::exec(const QString& sql, const QVariantList& values) {
    return connection->exec(sql, values, QStringLiteral("TestDb"));
}

QVariant TestDb::scalar(const QString& sql, const QVariantList& values) {
    auto q = connection->run(sql, values, QStringLiteral("TestDb"));
    return q && q->next() ? q->value(0) : QVariant();
}

bool TestDb::insertRow(const QString& table, const QString& row) {
    QVariantList values;
    for (const QString& value : row.split(QLatin1Char('|')))
        values << (value.isEmpty() ? QVariant() : QVariant(value));
    const QStringList marks(values.size(), QStringLiteral("?"));
    return exec(
        QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table, marks.join(QLatin1Char(','))),
        values);
}

bool TestDb::refuseInserts(const QString& table, const QString& reason, bool atCommit) {
    if (!onServer())
        return exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 "
                                   "BEGIN SELECT RAISE(ABORT, '%2'); END")
                        .arg(table, reason));
    return exec(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql "
                               "AS $$BEGIN RAISE EXCEPTION '%1'; END$$")
                    .arg(reason)) &&
           exec(QString::fromLatin1(atCommit ? "CREATE CONSTRAINT TRIGGER refuse AFTER INSERT "
                                               "ON %1 DEFERRABLE INITIALLY DEFERRED "
                                             : "CREATE TRIGGER refuse BEFORE INSERT ON %1 ")
                    .arg(table) +
                QStringLiteral("FOR EACH ROW EXECUTE FUNCTION refuse()"));
}

bool TestDb::allowInserts(const QString& table) {
    return exec(onServer() ? QStringLiteral("DROP TRIGGER refuse ON ") + table
                           : QStringLiteral("DROP TRIGGER refuse"));
}

QString TestDb::joined(const QString& sql, const QString& separator) {
    auto q = connection->run(sql, {}, QStringLiteral("TestDb"));
    QStringList values;
    while (q && q->next())
        values << text(q->value(0));
    return values.join(separator);
}

QString TestDb::row(const QString& sql, const QVariantList& values) {
    auto q = connection->run(sql, values, QStringLiteral("TestDb"));
    QStringList columns;
    if (q && q->next()) {
        for (int i = 0; i < q->columns(); ++i)
            columns << text(q->value(i));
    }
    return columns.join(QLatin1Char('|'));
}
