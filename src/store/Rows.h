#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>

class Connection;

// The rows of one statement, read front to back. A statement can also fail on a row after
// the first (a damaged page, an I/O error, an overflow in a computed column): next() then
// reports the error once through the connection and returns false, and ok() tells the caller
// that the rows ended early rather than ran out. The statement is finished when the rows go;
// a statement the connection keeps prepared stays prepared for its next run.
class Rows {
public:
    // Shares the statement with the connection that keeps it, so it stays valid if the
    // connection closes first.
    Rows(Connection& db, std::shared_ptr<QSqlQuery> query, QString source);
    ~Rows();
    Rows(Rows&& other) noexcept;
    Rows& operator=(Rows&&) = delete;
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;

    bool next();
    QVariant value(int column) const { return m_query->value(column); }
    int columns() const;
    // False once the rows ended on an error.
    bool ok() const { return !m_failed; }
    // Lets go of the statement early, before a commit or while its caller carries on.
    void finish();
    int numRowsAffected() const { return m_query->numRowsAffected(); }

private:
    Connection* m_db;
    std::shared_ptr<QSqlQuery> m_query;
    QString m_source;
    bool m_failed = false;
};
