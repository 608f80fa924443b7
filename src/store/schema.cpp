#include "schema.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString readSchema() {
    QFile file(QStringLiteral(":/store/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString applySchema(QSqlDatabase& db) {
    QSqlQuery q(db);
    for (const QString& statement : schemaStatements()) {
        if (!q.exec(statement))
            return q.lastError().text();
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)))
        return q.lastError().text();
    return {};
}

QStringList schemaStatements() {
    Q_INIT_RESOURCE(store);
    static const QRegularExpression comment(QStringLiteral("--[^\n]*"));
    // A statement ends with a line ending in ';', but a trigger's body holds statements of its
    // own and ends with the line "END;".
    QStringList statements;
    QString statement;
    for (const QString& line : readSchema().remove(comment).split(QLatin1Char('\n'))) {
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
