#include "Connection.h"

#include "MessageService.h"
#include "dbvalue.h"
#include "schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QStringList>
#include <QUrl>

namespace {

int nextConnectionNumber() {
    static int counter = 0;
    return ++counter;
}

// Every column of every table, as "Table.Column".
const QString ColumnsOfTables =
    QStringLiteral("SELECT m.name || '.' || c.name FROM sqlite_master AS m "
                   "JOIN pragma_table_info(m.name) AS c WHERE m.type = 'table'");

// The tables of the name index: a file made before it had none, and works without it.
bool isNameIndex(const QString& column) {
    return column.startsWith(Connection::NameIndex);
}

// The columns the program reads and writes: those of the schema it was built with.
const QStringList& expectedColumns() {
    static const QStringList columns = [] {
        QStringList found;
        const QString name = QStringLiteral("vormel-expected-schema");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QStringLiteral(":memory:"));
            if (db.open() && applySchema(db).isEmpty()) {
                QSqlQuery q(db);
                q.exec(ColumnsOfTables);
                while (q.next())
                    if (!isNameIndex(q.value(0).toString()))
                        found << q.value(0).toString();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return found;
    }();
    return columns;
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
        checkColumns() && proveWritable();
    if (!ready)
        release();
    return ready;
}

// A file made for another program, or by an older one, is refused before anything reads it.
bool Connection::checkColumns() {
    auto q = run(ColumnsOfTables, {}, QStringLiteral("OpenDatabase"));
    if (!q)
        return false;
    QStringList missing = expectedColumns();
    m_tables.clear();
    while (q->next()) {
        const QString column = q->value(0).toString();
        missing.removeAll(column);
        m_tables.insert(column.section(QLatin1Char('.'), 0, 0));
    }
    if (!q->ok())
        return false;
    if (missing.isEmpty())
        return true;
    ReportError(QStringLiteral("1"), QStringLiteral("OpenDatabase"),
                LiveFile + QStringLiteral(" is not a shop database; missing columns: ") +
                    missing.join(QStringLiteral(", ")));
    return false;
}

// A file or folder the program cannot write would only fail at the first save. A write that
// is rolled back needs both: the file itself and, for its journal, the folder.
bool Connection::proveWritable() {
    auto version = run(QStringLiteral("PRAGMA user_version"), {}, QStringLiteral("OpenDatabase"));
    if (!version || !version->next())
        return false;
    const QString probe =
        QStringLiteral("PRAGMA user_version = %1").arg(version->value(0).toLongLong());
    version->finish();
    std::optional<QSqlError> error = execute(QStringLiteral("BEGIN IMMEDIATE"), {});
    if (!error) {
        error = execute(probe, {});
        execute(QStringLiteral("ROLLBACK"), {});
    }
    if (!error)
        return true;
    // The file itself, also when the folder holds only a link to it (as vormel-db opens files).
    const QString live = QDir(m_folder).absoluteFilePath(LiveFile);
    const QString file = QDir::toNativeSeparators(QFileInfo(live).canonicalFilePath());
    reportSqlError(QSqlError(error->driverText(),
                             file + QStringLiteral(" cannot be written: ") + error->databaseText(),
                             error->type(), error->nativeErrorCode()),
                   QStringLiteral("OpenDatabase"));
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
    m_inTransaction = false;
    m_prepared.clear();
    database().close();
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(m_name, false);
}

std::optional<Rows> Connection::run(const QString& sql, const QVariantList& values,
                                    const QString& source) {
    m_lastSql = sql;
    QSqlError error;
    std::shared_ptr<QSqlQuery> q = preparedStatement(sql, error);
    // The same statement read again while its earlier rows are still being read: a second
    // copy for this run alone.
    if (q && q->isActive())
        q = prepared(sql, error);
    if (!q) {
        reportSqlError(error, source);
        return std::nullopt;
    }
    bind(*q, sql, values);
    if (!q->exec()) {
        reportSqlError(q->lastError(), source);
        q->finish();
        return std::nullopt;
    }
    return std::optional<Rows>(std::in_place, *this, std::move(q), source);
}

bool Connection::exec(const QString& sql, const QVariantList& values, const QString& source) {
    m_lastSql = sql;
    const std::optional<QSqlError> error = execute(sql, values);
    if (error)
        reportSqlError(*error, source);
    return !error;
}

bool Connection::write(const QString& sql, const QVariantList& values, const QString& source) {
    TransactionGuard transaction(*this);
    return transaction.begun() && exec(sql, values, source) && transaction.commit();
}

// Runs a statement on its kept prepared form; the error, if it failed.
std::optional<QSqlError> Connection::execute(const QString& sql, const QVariantList& values) {
    QSqlError error;
    const std::shared_ptr<QSqlQuery> q = preparedStatement(sql, error);
    if (!q)
        return error;
    bind(*q, sql, values);
    const bool done = q->exec();
    if (!done)
        error = q->lastError();
    q->finish();
    return done ? std::nullopt : std::optional<QSqlError>(error);
}

void Connection::bind(QSqlQuery& q, const QString& sql, const QVariantList& values) {
    QVariantList traced;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant value = toDb(values.at(i));
        q.bindValue(int(i), value);
        if (m_trace)
            traced << value;
    }
    if (m_trace)
        m_trace(sql, traced);
}

void Connection::finishStatements() {
    for (auto& [sql, q] : m_prepared)
        if (q->isActive())
            q->finish();
}

std::shared_ptr<QSqlQuery> Connection::prepared(const QString& sql, QSqlError& error) const {
    auto q = std::make_shared<QSqlQuery>(database());
    q->setForwardOnly(true);
    if (q->prepare(sql))
        return q;
    error = q->lastError();
    return nullptr;
}

std::shared_ptr<QSqlQuery> Connection::preparedStatement(const QString& sql, QSqlError& error) {
    if (const auto found = m_prepared.find(sql); found != m_prepared.end())
        return found->second;
    std::shared_ptr<QSqlQuery> q = prepared(sql, error);
    if (q)
        m_prepared.emplace(sql, q);
    return q;
}

bool Connection::BeginTransaction() {
    m_inTransaction =
        exec(QStringLiteral("BEGIN IMMEDIATE"), {}, QStringLiteral("BeginTransaction"));
    return m_inTransaction;
}

// A failed commit leaves the transaction open; the caller's guard rolls it back.
bool Connection::CommitTransaction() {
    finishStatements();
    const bool committed = exec(QStringLiteral("COMMIT"), {}, QStringLiteral("CommitTransaction"));
    m_inTransaction = !committed;
    return committed;
}

bool Connection::RollbackTransaction() {
    finishStatements();
    m_inTransaction = false;
    m_lastSql = QStringLiteral("ROLLBACK");
    const std::optional<QSqlError> error = execute(m_lastSql, {});
    // SQLite ends a transaction by itself after some failures (a full disk). The failure has
    // been reported already, and there is nothing left to roll back.
    if (!error || error->databaseText().contains(QLatin1String("no transaction is active")))
        return true;
    reportSqlError(*error, QStringLiteral("RollbackTransaction"));
    return false;
}

bool Connection::FlushWrites() {
    TransactionGuard transaction(*this);
    return transaction.begun() && transaction.commit();
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
