#pragma once

#include <QString>
#include <QStringList>

// The statements of schema.sql, one table or index each.
QStringList schemaStatements();

// Makes a new database file at `path` holding the empty schema. Refuses a path that exists;
// on failure leaves no file behind and says why in `error`.
bool createSchemaFile(const QString& path, QString& error);
