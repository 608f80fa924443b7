#include "Connection.h"

#include "MessageService.h"
#include "dbvalue.h"

#include <QDir>
#include <QSqlError>
#include <QStringList>
#include <QUrl>

namespace {

const QStringList RequiredTables = {
    QStringLiteral("Customers"),     QStringLiteral("Orders"),     QStringLiteral("Order_Details"),
    QStringLiteral("Order_Payment"), QStringLiteral("Products"),   QStringLiteral("Items"),
    QStringLiteral("Category"),      QStringLiteral("ItemStatus"), QStringLiteral("PaymentType"),
    QStringLiteral("OpCode"),        QStringLiteral("SerialNo"),   QStringLiteral("Sales"),
    QStringLiteral("AcctAdjust"),    QStringLiteral("RptDailyTx"), QStringLiteral("Cust_Temp"),
    QStringLiteral("Item_Temp"),     QStringLiteral("ShopInfo")};

int nextConnectionNumber() {
    static int counter = 0;
    return ++counter;
}

} // namespace

Connection::Connection(MessageService& messages, const QString& folder, QObject* parent)
    : QObject(parent), m_messages(messages), m_folder(folder),
      m_name(QStringLiteral("vormel-main-%1").arg(nextConnectionNumber())) {}

Connection::~Connection() {
    if (QSqlDatabase::contains(m_name)) {
        release();
        QSqlDatabase::removeDatabase(m_name);
    }
}

QString Connection::filePath(const QString& name) const {
    return QDir(m_folder).filePath(name);
}

bool Connection::OpenDatabase() {
    if (isOpen())
        return true;
    QSqlDatabase db = QSqlDatabase::contains(m_name)
                          ? QSqlDatabase::database(m_name, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    // mode=rw: a missing file is an error, never a new empty database.
    const QString uri =
        QUrl::fromLocalFile(QDir(m_folder).absoluteFilePath(LiveFile)).toString(QUrl::FullyEncoded);
    db.setDatabaseName(uri + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    m_lastSql.clear();
    if (!db.open()) {
        reportSqlError(db.lastError(), QStringLiteral("OpenDatabase"));
        return false;
    }
    // A saved visit must survive a power cut; relations stay unenforced by design. A month's
    // summary or a ranking of a shop some years old reads far more index pages than SQLite's
    // default 2 MB cache keeps, and reading them again from the file costs more than 8 MB.
    const bool ready =
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"), {}, QStringLiteral("OpenDatabase")) &&
        exec(QStringLiteral("PRAGMA synchronous=FULL"), {}, QStringLiteral("OpenDatabase")) &&
        exec(QStringLiteral("PRAGMA cache_size=-8192"), {}, QStringLiteral("OpenDatabase")) &&
        exec(QStringLiteral("PRAGMA foreign_keys=OFF"), {}, QStringLiteral("OpenDatabase")) &&
        checkTables();
    if (!ready)
        release();
    return ready;
}

bool Connection::checkTables() {
    auto q = run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), {},
                 QStringLiteral("OpenDatabase"));
    if (!q)
        return false;
    QStringList missing = RequiredTables;
    while (q->next())
        missing.removeAll(q->value(0).toString());
    if (missing.isEmpty())
        return true;
    ReportError(QStringLiteral("1"), QStringLiteral("OpenDatabase"),
                LiveFile + QStringLiteral(" is not a shop database; missing tables: ") +
                    missing.join(QStringLiteral(", ")));
    return false;
}

bool Connection::CloseDatabase() {
    if (!isOpen())
        return true;
    Q_EMIT aboutToClose();
    release();
    return true;
}

void Connection::release() {
    m_prepared.clear();
    database().close();
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(m_name, false);
}

std::optional<QSqlQuery> Connection::run(const QString& sql, const QVariantList& values,
                                         const QString& source) {
    m_lastSql = sql;
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        reportSqlError(q.lastError(), source);
        return std::nullopt;
    }
    for (const QVariant& v : values)
        q.addBindValue(toDb(v));
    if (!q.exec()) {
        reportSqlError(q.lastError(), source);
        return std::nullopt;
    }
    return q;
}

bool Connection::exec(const QString& sql, const QVariantList& values, const QString& source) {
    m_lastSql = sql;
    QSqlQuery* q = preparedStatement(sql, source);
    if (!q)
        return false;
    for (qsizetype i = 0; i < values.size(); ++i)
        q->bindValue(int(i), toDb(values.at(i)));
    const bool done = q->exec();
    if (!done)
        reportSqlError(q->lastError(), source);
    q->finish();
    return done;
}

QSqlQuery* Connection::preparedStatement(const QString& sql, const QString& source) {
    if (const auto found = m_prepared.find(sql); found != m_prepared.end())
        return &found->second;
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        reportSqlError(q.lastError(), source);
        return nullptr;
    }
    return &m_prepared.emplace(sql, std::move(q)).first->second;
}

bool Connection::BeginTransaction() {
    return exec(QStringLiteral("BEGIN IMMEDIATE"), {}, QStringLiteral("BeginTransaction"));
}

bool Connection::CommitTransaction() {
    return exec(QStringLiteral("COMMIT"), {}, QStringLiteral("CommitTransaction"));
}

bool Connection::RollbackTransaction() {
    return exec(QStringLiteral("ROLLBACK"), {}, QStringLiteral("RollbackTransaction"));
}

bool Connection::FlushWrites() {
    return BeginTransaction() && CommitTransaction();
}

void Connection::ReportError(const QString& code, const QString& source,
                             const QString& description) {
    m_lastError = QStringLiteral("Error # ") + code + QStringLiteral(" was generated by ") +
                  source + QLatin1Char('\r') + description;
    m_messages.show(m_lastError, MsgIcon::None, MsgButtons::Ok, QStringLiteral("Error"));
}

void Connection::reportSqlError(const QSqlError& error, const QString& source) {
    QString description = error.databaseText();
    if (description.isEmpty())
        description = error.text();
    const QString code =
        error.nativeErrorCode().isEmpty() ? QStringLiteral("0") : error.nativeErrorCode();
    ReportError(code, source, description);
}
