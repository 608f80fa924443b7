#pragma once

#include "ShopPlace.h"

#include <QList>
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

// Begins a transaction on an open database of `place`'s engine and creates the schema in it,
// so that the caller can fill the shop and commit it whole, or roll back and leave the database
// as it was. Refuses a server database that already holds a shop's tables; says why in `error`.
bool beginSchema(QSqlDatabase& db, const ShopPlace& place, QString& error);

// A table of the shop with its columns in the schema's order.
struct SchemaTable {
    QString name;
    QStringList columns;
};

// Every table of the shop, as both engines hold it, in the schema's order; not the name index,
// which each engine keeps in step with Customers by itself.
QList<SchemaTable> schemaTables();
