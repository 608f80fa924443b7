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
    return {};
}

QStringList schemaStatements() {
    Q_INIT_RESOURCE(store);
    static const QRegularExpression comment(QStringLiteral("--[^\n]*"));
    QStringList statements;
    for (const QString& piece : readSchema().remove(comment).split(QLatin1Char(';'))) {
        const QString statement = piece.trimmed();
        if (!statement.isEmpty())
            statements << statement;
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
