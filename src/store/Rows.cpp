#include "Rows.h"

#include "Connection.h"

#include <QSqlError>
#include <QSqlRecord>

Rows::Rows(Connection& db, std::shared_ptr<QSqlQuery> query, QString source)
    : m_db(&db), m_query(std::move(query)), m_source(std::move(source)) {}

Rows::~Rows() {
    finish();
}

Rows::Rows(Rows&& other) noexcept
    : m_db(other.m_db), m_query(std::move(other.m_query)), m_source(std::move(other.m_source)),
      m_failed(other.m_failed) {
    // A moved-from query has no result to ask about.
    other.m_db = nullptr;
}

bool Rows::next() {
    if (!m_db)
        return false;
    if (m_query->next())
        return true;
    // Past the last row the driver keeps the error, if any, that ended the rows.
    if (!m_failed && m_query->lastError().isValid()) {
        m_failed = true;
        m_db->reportSqlError(m_query->lastError(), m_source);
    }
    return false;
}

int Rows::columns() const {
    return m_query->record().count();
}

void Rows::finish() {
    // Once finished, a kept statement belongs to the connection's next run of it.
    if (m_db && m_query->isActive())
        m_query->finish();
    m_db = nullptr;
}
