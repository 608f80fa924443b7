#pragma once

#include "ShopPlace.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlError;

class Connection;

// What differs between the embedded file and the shop server, each in one place; every other
// statement of the store is the same text on both.
class EngineRules {
public:
    virtual ~EngineRules() = default;

    virtual QString driver() const = 0;
    virtual void configure(QSqlDatabase& db, const ShopPlace& place) const = 0;
    // Run once on every new connection.
    virtual QStringList sessionSettings() const = 0;
    // Every column of every table, one "Table.Column" per row.
    virtual QString columnsQuery() const = 0;
    // Why the engine cannot hold a shop for this program; empty when it can.
    virtual QString refusal(Connection& db) const = 0;
    // Statements that only a connection allowed to write can run, inside a write transaction.
    virtual QStringList writeProbe(Connection& db) const = 0;
    virtual QString beginWrite() const = 0;
    // Whether the connection has gone for good (the server went away) and must be opened anew,
    // judged by the connection and by the error its last statement failed with.
    virtual bool lost(const QSqlDatabase& db, const QSqlError& error) const = 0;
    // The resource holding the engine's schema.
    virtual QString schemaResource() const = 0;

    static const EngineRules& of(EngineKind engine);
};
