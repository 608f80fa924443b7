#pragma once

#include "Connection.h"
#include "ScriptedMessages.h"

#include <QDir>
#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

// A fresh Flicka.mdb made from the schema in a temporary folder, opened through a real
// Connection whose error reports land in `messages`. The folder's name holds characters that a
// file URI must encode, so every test also opens a shop whose path needs it.
// With VORMEL_TEST_ENGINE=postgresql the shop is instead a fresh database on the test cluster
// whose socket folder VORMEL_TEST_PGHOST names, dropped again at the end.
class TestDb {
public:
    static bool onServer();
    // The test cluster's maintenance database, for making and dropping shops on it.
    static ShopPlace server(const QString& database = QStringLiteral("postgres"));
    // Runs one statement on the test cluster's maintenance database; its error, or nothing.
    static QString onServerAdmin(const QString& sql);

    // With `seeded`, the rows every working file starts with (made on 01/01/2004): item
    // statuses 0-4, payment types 0-3, the OpCode row, SerialNo all at 1, an empty RptDailyTx
    // row and category V (VIDEO, 15.00 for 3 days, 10.00 a day late).
    explicit TestDb(bool seeded = true);
    ~TestDb();
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    bool ok() const { return m_ok; }
    QString folder() const { return dir.path(); }
    const ShopPlace& place() const { return m_place; }
    Connection& db() { return *connection; }

    // Runs a statement straight on the file, for arranging and checking rows in tests.
    bool exec(const QString& sql, const QVariantList& values = {});
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // Stores a row given as its values joined by '|'; an empty value is NULL.
    bool insertRow(const QString& table, const QString& row);
    // Makes every insert into `table` fail with `reason`, as a full disk would; on a server,
    // with `atCommit`, only when the transaction commits.
    bool refuseInserts(const QString& table, const QString& reason, bool atCommit = false);
    bool allowInserts(const QString& table);
    // The first column of every row the statement gives, joined by `separator`.
    QString joined(const QString& sql, const QString& separator = QStringLiteral(","));
    // The first row the statement gives, its values as text joined by '|'; empty when none.
    QString row(const QString& sql, const QVariantList& values = {});

    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/shop a#b?c%20d[1] 店-XXXXXX")};
    ScriptedMessages messages;
    std::unique_ptr<Connection> connection;

private:
    bool create();

    ShopPlace m_place;
    bool m_ok = false;
};
