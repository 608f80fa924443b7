#pragma once

#include "Connection.h"
#include "ScriptedMessages.h"

#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

// A fresh Flicka.mdb made from the schema in a temporary folder, opened through a real
// Connection whose error reports land in `messages`.
class TestDb {
public:
    // With `seeded`, the rows every working file starts with: item statuses 0-4, payment
    // types 0-3, the OpCode row, SerialNo all at 1, one RptDailyTx row and category "V".
    explicit TestDb(bool seeded = true);

    bool ok() const { return m_ok; }
    QString folder() const { return dir.path(); }
    Connection& db() { return *connection; }

    // Runs a statement straight on the file, for arranging and checking rows in tests.
    bool exec(const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& sql, const QVariantList& values = {});

    QTemporaryDir dir;
    ScriptedMessages messages;
    std::unique_ptr<Connection> connection;

private:
    bool m_ok = false;
};
