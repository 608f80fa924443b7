#pragma once

#include "ShopPlace.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The version of the schema this program was built with, kept in PRAGMA user_version. A file
// of an older version lacks some of its indexes; `vormel-db upgrade` adds them.
constexpr int SchemaVersion = 1;

// The statements of the engine's schema file, one table, index or trigger each.
QStringList schemaStatements(EngineKind engine = EngineKind::Sqlite);

// Creates the schema's tables, indexes and triggers on an open database (and stamps a file's
// version); what went wrong, or nothing.
QString applySchema(QSqlDatabase& db, EngineKind engine = EngineKind::Sqlite);

// Makes a new database file at `path` holding the empty schema. Refuses a path that exists;
// on failure leaves no file behind and says why in `error`.
bool createSchemaFile(const QString& path, QString& error);

// Fills an empty database on a server with the schema, in one transaction. Refuses one that
// already holds a shop's tables; says why in `error`.
bool createSchemaOnServer(const ShopPlace& place, QString& error);
