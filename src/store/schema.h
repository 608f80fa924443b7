#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The statements of schema.sql, one table or index each.
QStringList schemaStatements();

// Creates the schema's tables and indexes on an open database; what went wrong, or nothing.
QString applySchema(QSqlDatabase& db);

// Makes a new database file at `path` holding the empty schema. Refuses a path that exists;
// on failure leaves no file behind and says why in `error`.
bool createSchemaFile(const QString& path, QString& error);
