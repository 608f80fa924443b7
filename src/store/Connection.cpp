#include "Connection.h"

#include "EngineRules.h"
#include "MessageService.h"
#include "dbvalue.h"
#include "schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QStringList>

#include <atomic>

namespace {

// Counters in threads of their own open connections at the same time.
int nextConnectionNumber() {
    static std::atomic<int> counter = 0;
    return ++counter;
}

// The tables of the name index: a file made before it had none, and works without it.
bool isNameIndex(const QString& column) {
    return column.startsWith(Connection::NameIndex, Qt::CaseInsensitive);
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
                q.exec(EngineRules::of(EngineKind::Sqlite).columnsQuery());
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
    : Connection(messages, ShopPlace::inFolder(folder), parent) {}

Connection::Connection(MessageService& messages, const ShopPlace& place, QObject* parent)
    : QObject(parent), m_messages(messages), m_place(place), m_rules(EngineRules::of(place.engine)),
      m_name(QStringLiteral("vormel-main-%1").arg(nextConnectionNumber())) {}

Connection::~Connection() {
    if (QSqlDatabase::contains(m_name)) {
        release();
        QSqlDatabase::removeDatabase(m_name);
    }
}

QString Connection::filePath(const QString& name) const {
    return QDir(m_place.folder).filePath(name);
}

bool Connection::OpenDatabase() {
    if (isOpen())
        return true;
    QSqlDatabase db = QSqlDatabase::contains(m_name)
                          ? QSqlDatabase::database(m_name, false)
                          : QSqlDatabase::addDatabase(m_rules.driver(), m_name);
    m_rules.configure(db, m_place);
    m_lastSql.clear();
    if (!db.open()) {
        reportSqlError(db.lastError(), QStringLiteral("OpenDatabase"));
        return false;
    }
    bool ready = true;
    for (const QString& setting : m_rules.sessionSettings())
        ready = ready && exec(setting, {}, QStringLiteral("OpenDatabase"));
    ready = ready && checkColumns() && proveWritable();
    if (!ready)
        release();
    m_wanted = ready;
    return ready;
}

// A database made for another program, or by an older one, is refused before anything reads
// it, and so is a server too old for the program's SQL.
bool Connection::checkColumns() {
    auto q = run(m_rules.columnsQuery(), {}, QStringLiteral("OpenDatabase"));
    if (!q)
        return false;
    // A server gives the names in lower case.
    QSet<QString> found;
    m_tables.clear();
    while (q->next()) {
        const QString column = q->value(0).toString().toLower();
        found.insert(column);
        m_tables.insert(column.section(QLatin1Char('.'), 0, 0));
    }
    if (!q->ok())
        return false;
    q->finish();
    QStringList missing;
    for (const QString& column : expectedColumns())
        if (!found.contains(column.toLower()))
            missing << column;
    QString refusal = m_rules.refusal(*this);
    if (refusal.isEmpty() && !missing.isEmpty())
        refusal = QStringLiteral("%1 is not a shop database; missing columns: %2")
                      .arg(m_place.onServer() ? m_place.name : LiveFile,
                           missing.join(QStringLiteral(", ")));
    if (refusal.isEmpty())
        return true;
    ReportError(QStringLiteral("1"), QStringLiteral("OpenDatabase"), refusal);
    return false;
}

// A database the program cannot write would only fail at the first save. For a file, a write
// that is rolled back needs both the file itself and, for its journal, the folder.
bool Connection::proveWritable() {
    const QStringList probe = m_rules.writeProbe(*this);
    if (probe.isEmpty())
        return false;
    std::optional<QSqlError> error = direct(m_rules.beginWrite());
    for (const QString& sql : probe)
        if (!error)
            error = direct(sql);
    direct(QStringLiteral("ROLLBACK"));
    if (!error)
        return true;
    // The file itself, also when the folder holds only a link to it (as vormel-db opens files).
    const QString live = QDir(m_place.folder).absoluteFilePath(LiveFile);
    const QString where = m_place.onServer()
                              ? m_place.name
                              : QDir::toNativeSeparators(QFileInfo(live).canonicalFilePath());
    reportSqlError(QSqlError(error->driverText(),
                             where + QStringLiteral(" cannot be written: ") + error->databaseText(),
                             error->type(), error->nativeErrorCode()),
                   QStringLiteral("OpenDatabase"));
    return false;
}

bool Connection::CloseDatabase() {
    if (!isOpen())
        return true;
    Q_EMIT aboutToClose();
    m_wanted = false;
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
    std::shared_ptr<QSqlQuery> q = started(sql, values, error);
    const Retry retry = q ? Retry::No : afterFailure(error);
    if (retry == Retry::Again)
        q = started(sql, values, error);
    if (!q) {
        if (retry != Retry::Reported)
            reportSqlError(error, source);
        return std::nullopt;
    }
    return std::optional<Rows>(std::in_place, *this, std::move(q), source);
}

// The statement run on its kept prepared form, or none with the error. The same statement read
// again while its earlier rows are still being read gets a second copy for this run alone.
std::shared_ptr<QSqlQuery> Connection::started(const QString& sql, const QVariantList& values,
                                               QSqlError& error) {
    std::shared_ptr<QSqlQuery> q = preparedStatement(sql, error);
    if (q && q->isActive())
        q = prepared(sql, error);
    if (!q)
        return nullptr;
    bind(*q, sql, values);
    if (q->exec())
        return q;
    error = q->lastError();
    q->finish();
    return nullptr;
}

bool Connection::exec(const QString& sql, const QVariantList& values, const QString& source) {
    m_lastSql = sql;
    std::optional<QSqlError> error = execute(sql, values);
    const Retry retry = error ? afterFailure(*error) : Retry::No;
    if (retry == Retry::Again)
        error = execute(sql, values);
    if (error && retry != Retry::Reported)
        reportSqlError(*error, source);
    return !error;
}

// The server driver closes a connection it finds broken; one the program closed stays closed.
Connection::Retry Connection::afterFailure(const QSqlError& error) {
    if (m_inTransaction || !m_wanted || (isOpen() && !m_rules.lost(database(), error)))
        return Retry::No;
    release();
    return OpenDatabase() ? Retry::Again : Retry::Reported;
}

bool Connection::write(const QString& sql, const QVariantList& values, const QString& source) {
    return change(sql, values, source).has_value();
}

std::optional<qint64> Connection::change(const QString& sql, const QVariantList& values,
                                         const QString& source) {
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    auto q = run(sql, values, source);
    if (!q)
        return std::nullopt;
    const qint64 rows = q->numRowsAffected();
    q->finish();
    return transaction.commit() ? std::optional<qint64>(rows) : std::nullopt;
}

// Runs a statement on its kept prepared form; the error, if it failed.
std::optional<QSqlError> Connection::execute(const QString& sql, const QVariantList& values) {
    if (values.isEmpty())
        return direct(sql);
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

std::optional<QSqlError> Connection::direct(const QString& sql) {
    if (m_trace)
        m_trace(sql, {});
    QSqlQuery q(database());
    if (q.exec(sql))
        return std::nullopt;
    return q.lastError();
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
    m_inTransaction = exec(m_rules.beginWrite(), {}, QStringLiteral("BeginTransaction"));
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
    const std::optional<QSqlError> error = direct(m_lastSql);
    // SQLite ends a transaction by itself after some failures (a full disk), and a server that
    // went away took its transaction with it. The failure has been reported already, and there
    // is nothing left to roll back.
    if (!error || error->databaseText().contains(QLatin1String("no transaction is active")) ||
        !isOpen() || m_rules.lost(database(), *error))
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
