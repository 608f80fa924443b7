#include "rawsqlite.h"

#include <QFile>

#include <sqlite3.h>

namespace {

// What a reader does with each column: take its value out in its own type.
void readColumns(sqlite3_stmt* stmt) {
    const int columns = sqlite3_column_count(stmt);
    for (int i = 0; i < columns; ++i) {
        switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
            sqlite3_column_int64(stmt, i);
            break;
        case SQLITE_FLOAT:
            sqlite3_column_double(stmt, i);
            break;
        case SQLITE_NULL:
            break;
        default:
            sqlite3_column_text16(stmt, i);
            sqlite3_column_bytes16(stmt, i);
        }
    }
}

} // namespace

RawSqlite::~RawSqlite() {
    for (auto& [sql, stmt] : m_statements)
        sqlite3_finalize(stmt);
    sqlite3_close(m_db);
}

bool RawSqlite::open(const QString& path, QString& error) {
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK) {
        error = path + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    sqlite3_busy_timeout(m_db, 5000);
    const char* pragmas = "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; "
                          "PRAGMA cache_size=-8192; PRAGMA foreign_keys=OFF;";
    if (sqlite3_exec(m_db, pragmas, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    error = path + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db));
    return false;
}

bool RawSqlite::replay(const QList<TracedStatement>& statements) {
    for (const TracedStatement& s : statements) {
        sqlite3_stmt* stmt = statement(s.sql);
        if (!stmt || !bind(stmt, s.bound) || !step(stmt))
            return false;
    }
    return true;
}

sqlite3_stmt* RawSqlite::statement(const QString& sql) {
    if (const auto found = m_statements.find(sql); found != m_statements.end())
        return found->second;
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        fail();
        return nullptr;
    }
    return m_statements.emplace(sql, stmt).first->second;
}

bool RawSqlite::bind(sqlite3_stmt* stmt, const QVariantList& values) {
    for (int i = 0; i < int(values.size()); ++i) {
        const QVariant& v = values.at(i);
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else if (v.typeId() == QMetaType::Double) {
            rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
        } else if (v.typeId() == QMetaType::QString) {
            const QString text = v.toString();
            rc = sqlite3_bind_text16(stmt, i + 1, text.utf16(), int(text.size() * 2),
                                     SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
        }
        if (rc != SQLITE_OK)
            return fail();
    }
    return true;
}

bool RawSqlite::step(sqlite3_stmt* stmt) {
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        readColumns(stmt);
    const bool done = rc == SQLITE_DONE || fail();
    sqlite3_reset(stmt);
    return done;
}

bool RawSqlite::fail() {
    m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    return false;
}
