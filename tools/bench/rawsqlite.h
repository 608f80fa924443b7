#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// One statement as the program ran it: its text and its values as bound.
struct TracedStatement {
    QString sql;
    QVariantList bound;
};

// The same shop file opened through SQLite's own C library, with the program's pragmas: the
// floor under what the program's statements can cost. Each statement is prepared once, then
// bound, stepped to its last row with every value read, and reset.
class RawSqlite {
public:
    RawSqlite() = default;
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

    // False, with `error` set, when the file cannot be opened read-write.
    bool open(const QString& path, QString& error);
    // Runs the statements in order; false, with error() set, at the first that fails.
    bool replay(const QList<TracedStatement>& statements);
    QString error() const { return m_error; }

private:
    sqlite3_stmt* statement(const QString& sql);
    bool bind(sqlite3_stmt* stmt, const QVariantList& values);
    bool step(sqlite3_stmt* stmt);
    bool fail();

    sqlite3* m_db = nullptr;
    std::unordered_map<QString, sqlite3_stmt*> m_statements;
    QString m_error;
};
