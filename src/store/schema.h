#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The version of the schema this program was built with, kept in PRAGMA user_version. A file
// of an older version lacks some of its indexes; `vormel-db upgrade` adds them.
constexpr int SchemaVersion = 1;

// The statements of schema.sql, one table, index or trigger each.
QStringList schemaStatements();

// Creates the schema's tables, indexes and triggers on an open database and stamps its
// version; what went wrong, or nothing.
QString applySchema(QSqlDatabase& db);

// Makes a new database file at `path` holding the empty schema. Refuses a path that exists;
// on failure leaves no file behind and says why in `error`.
bool createSchemaFile(const QString& path, QString& error);
