#include "shopcopy.h"

#include "EngineRules.h"
#include "newfile.h"
#include "schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr qint64 ProgressEvery = 50000;
constexpr int BatchRows = 100;

// One end of the copy: a connection of its own, let go of when the copy ends.
class CopyEnd {
public:
    explicit CopyEnd(const QString& name) : m_name(name) {}
    ~CopyEnd() {
        if (!QSqlDatabase::contains(m_name))
            return;
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    CopyEnd(const CopyEnd&) = delete;
    CopyEnd& operator=(const CopyEnd&) = delete;

    // A file is opened by its own name; `readOnly` keeps every write out of it.
    bool openFile(const QString& path, bool readOnly, QString& error) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY") : QString());
        return opened(db, path, error);
    }
    bool openServer(const ShopPlace& place, QString& error) {
        const EngineRules& rules = EngineRules::of(place.engine);
        QSqlDatabase db = QSqlDatabase::addDatabase(rules.driver(), m_name);
        rules.configure(db, place);
        if (!opened(db, place.address(), error))
            return false;
        for (const QString& setting : rules.sessionSettings())
            if (!run(setting, error))
                return false;
        return true;
    }

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    bool run(const QString& sql, QString& error) const {
        QSqlQuery q(db());
        if (q.exec(sql))
            return true;
        error = q.lastError().text();
        return false;
    }

    qint64 count(const QString& table) const {
        QSqlQuery q(db());
        return q.exec(QStringLiteral("SELECT count(*) FROM ") + table) && q.next()
                   ? q.value(0).toLongLong()
                   : -1;
    }

private:
    bool opened(QSqlDatabase& db, const QString& where, QString& error) {
        if (db.open())
            return true;
        error = where + QStringLiteral(": ") + db.lastError().text();
        return false;
    }

    QString m_name;
};

std::optional<ShopPlace> serverOf(const QString& text, QString& error) {
    return ShopPlace::isAddress(text) ? ShopPlace::fromAddress(text, error)
                                      : std::optional<ShopPlace>();
}

// Opens the source and starts the snapshot every table is read from.
bool openSource(CopyEnd& source, const QString& text, QString& error) {
    const std::optional<ShopPlace> server = serverOf(text, error);
    if (!error.isEmpty())
        return false;
    if (server)
        return source.openServer(*server, error) &&
               source.run(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"), error);
    if (!QFileInfo(text).isFile()) {
        error = text + QStringLiteral(": no such file");
        return false;
    }
    return source.openFile(text, true, error) && source.run(QStringLiteral("BEGIN"), error);
}

class TableCopy {
public:
    TableCopy(const CopyEnd& from, const CopyEnd& to,
              const std::function<void(const QString&)>& progress)
        : m_from(from), m_to(to), m_progress(progress) {}

    // Every row of every table, then the counts of both ends compared.
    bool run(QString& error) {
        for (const SchemaTable& table : schemaTables())
            if (!copy(table, error))
                return false;
        for (const SchemaTable& table : schemaTables()) {
            const qint64 read = m_from.count(table.name);
            const qint64 written = m_to.count(table.name);
            if (read < 0 || read != written) {
                error = QStringLiteral("%1: %2 rows read but %3 written")
                            .arg(table.name)
                            .arg(read)
                            .arg(written);
                return false;
            }
        }
        return true;
    }

private:
    bool copy(const SchemaTable& table, QString& error) {
        QSqlQuery read(m_from.db());
        read.setForwardOnly(true);
        if (!read.exec(QStringLiteral("SELECT %1 FROM %2")
                           .arg(table.columns.join(QStringLiteral(", ")), table.name)))
            return failed(read, table, QStringLiteral("cannot read "), error);
        QSqlQuery batch(m_to.db());
        if (!batch.prepare(insertOf(table, BatchRows)))
            return failed(batch, table, QStringLiteral("cannot write "), error);
        const qsizetype width = table.columns.size();
        QVariantList pending;
        qint64 rows = 0;
        while (read.next()) {
            for (int i = 0; i < width; ++i)
                pending << read.value(i);
            if (pending.size() == BatchRows * width && !insert(batch, pending, table, error))
                return false;
            if (++rows % ProgressEvery == 0)
                m_progress(QStringLiteral("%1: %2 rows so far").arg(table.name).arg(rows));
        }
        if (read.lastError().isValid())
            return failed(read, table, QStringLiteral("cannot read "), error);
        QSqlQuery rest(m_to.db());
        if (!pending.isEmpty() && (!rest.prepare(insertOf(table, int(pending.size() / width))) ||
                                   !insert(rest, pending, table, error)))
            return failed(rest, table, QStringLiteral("cannot write "), error);
        m_progress(QStringLiteral("%1: %2 rows").arg(table.name).arg(rows));
        return true;
    }

    // One statement for many rows: a server is asked once for the lot, not once a row.
    static QString insertOf(const SchemaTable& table, int rows) {
        const QString row =
            QLatin1Char('(') +
            QStringList(table.columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")) +
            QLatin1Char(')');
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(table.name, table.columns.join(QStringLiteral(", ")),
                 QStringList(rows, row).join(QStringLiteral(", ")));
    }

    static bool insert(QSqlQuery& q, QVariantList& values, const SchemaTable& table,
                       QString& error) {
        for (int i = 0; i < int(values.size()); ++i)
            q.bindValue(i, values.at(i));
        values.clear();
        return q.exec() || failed(q, table, QStringLiteral("cannot write "), error);
    }

    static bool failed(const QSqlQuery& q, const SchemaTable& table, const QString& what,
                       QString& error) {
        error = what + table.name + QStringLiteral(": ") + q.lastError().text();
        return false;
    }

    const CopyEnd& m_from;
    const CopyEnd& m_to;
    const std::function<void(const QString&)>& m_progress;
};

// A server hands out member numbers from a sequence of its own, which must start past the
// numbers copied in; SQLite takes the next number from the rows themselves.
bool moveNumbersPastCopied(const CopyEnd& to, const ShopPlace& place, QString& error) {
    return !place.onServer() ||
           to.run(QStringLiteral("SELECT setval(pg_get_serial_sequence('customers', 'rawid'), "
                                 "coalesce(max(RAWID), 0) + 1, false) FROM Customers"),
                  error);
}

// The schema and every row in one transaction on the open, empty destination.
bool fill(const CopyEnd& source, const CopyEnd& to, const ShopPlace& place,
          const std::function<void(const QString&)>& progress, QString& error) {
    QSqlDatabase db = to.db();
    return beginSchema(db, place, error) && TableCopy(source, to, progress).run(error) &&
           moveNumbersPastCopied(to, place, error) && to.run(QStringLiteral("COMMIT"), error);
}

} // namespace

bool copyShop(const QString& source, const QString& destination,
              const std::function<void(const QString&)>& progress, QString& error) {
    error.clear();
    CopyEnd from(QStringLiteral("vormel-copy-source"));
    if (!openSource(from, source, error))
        return false;
    const std::optional<ShopPlace> server = serverOf(destination, error);
    if (!error.isEmpty())
        return false;
    if (server) {
        CopyEnd to(QStringLiteral("vormel-copy-destination"));
        return to.openServer(*server, error) && fill(from, to, *server, progress, error);
    }
    return placeNewFile(
        destination,
        [&](const QString& file, QString& fileError) {
            CopyEnd to(QStringLiteral("vormel-copy-destination"));
            return to.openFile(file, false, fileError) &&
                   fill(from, to, ShopPlace::inFolder(QFileInfo(file).absolutePath()), progress,
                        fileError);
        },
        error);
}
