#include "compaction.h"

#include "Connection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Source = QStringLiteral("CompactAndBackup");

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// Rebuilding the file pays only when a tenth of it is free pages; otherwise a copy of its pages
// is the backup, made in a fraction of the time.
constexpr double RebuildFreeShare = 0.1;
// Up to this size the copy gets SQLite's full check; a larger one gets the quick check, which
// reads every page but does not match each index against its table, and so takes seconds
// rather than half a minute on a shop of some years.
constexpr qint64 FullCheckBytes = 64 * 1024 * 1024;

// SQLite's own verdict on a database file, or why it could not give one.
QString integrityOf(QSqlDatabase& db, const QString& check) {
    if (!db.open())
        return db.lastError().text();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA ") + check) || !q.next())
        return q.lastError().text();
    return q.value(0).toString();
}

// Each step either succeeds or reports its failure once and stops the sequence.
class Compactor {
public:
    Compactor(Connection& db, const std::function<void()>& afterCopy)
        : m_db(db), m_afterCopy(afterCopy) {}

    // Starts on an open connection with no statement running; may leave it closed.
    // The live file is staged under a second name before the compacted copy replaces it, and
    // only then does that name replace the backup: if any step fails or the power goes, the
    // live name holds a complete database and the backup name an independent file.
    bool run() {
        if (!makeCopy()) {
            discardCopy();
            return false;
        }
        m_db.CloseDatabase();
        if (!stageLiveFile() ||
            !rename(path(Connection::CompactFile), path(Connection::LiveFile))) {
            discardCopy();
            ::unlink(native(staged()).constData());
            return false;
        }
        return rename(staged(), path(Connection::BackupFile)) && syncFile(m_db.folder());
    }

private:
    QString path(const QString& name) const {
        return QFileInfo(m_db.filePath(name)).absoluteFilePath();
    }

    QString staged() const { return path(Connection::BackupFile + QStringLiteral(".new")); }

    bool fail(const QString& code, const QString& description) {
        m_db.ReportError(code, Source, description);
        return false;
    }

    bool failErrno(int error, const QString& what) {
        return fail(QString::number(error),
                    what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)));
    }

    bool makeCopy() {
        if (!removeLeftover(staged()) || !removeLeftover(path(Connection::CompactFile)))
            return false;
        // From here on whatever stands at the copy's name is ours to remove.
        m_copyIsOurs = true;
        if (!(worthRebuilding() ? vacuumInto() : copyPages()))
            return false;
        if (m_afterCopy)
            m_afterCopy();
        return checkCopy() && keepPermissions() && syncFile(path(Connection::CompactFile));
    }

    // What an interrupted compaction left behind.
    bool removeLeftover(const QString& file) {
        if (::unlink(native(file).constData()) == 0 || errno == ENOENT)
            return true;
        const int error = errno;
        return failErrno(error, QStringLiteral("cannot remove ") + QFileInfo(file).fileName());
    }

    // The compacted file replaces the live one with the same permissions, so a file the shop
    // made read-only for some accounts stays so.
    bool keepPermissions() {
        struct stat live {};
        if (::stat(native(path(Connection::LiveFile)).constData(), &live) != 0 ||
            ::chmod(native(path(Connection::CompactFile)).constData(), live.st_mode & 07777) != 0) {
            const int error = errno;
            return failErrno(error, QStringLiteral("cannot keep the permissions of ") +
                                        Connection::LiveFile);
        }
        return true;
    }

    bool worthRebuilding() {
        auto free = m_db.run(QStringLiteral("SELECT freelist_count, page_count "
                                            "FROM pragma_freelist_count, pragma_page_count"),
                             {}, Source);
        return !free || !free->next() ||
               double(free->value(0).toLongLong()) >=
                   RebuildFreeShare * double(free->value(1).toLongLong());
    }

    // The live file copied as it stands, while a write lock keeps every counter from changing
    // it meanwhile.
    bool copyPages() {
        TransactionGuard lock(m_db);
        if (!lock.begun())
            return false;
        QFile live(path(Connection::LiveFile));
        if (!live.copy(path(Connection::CompactFile)))
            return fail(QString::number(live.error()),
                        QStringLiteral("cannot copy ") + Connection::LiveFile +
                            QStringLiteral(": ") + live.errorString());
        return true;
    }

    bool vacuumInto() {
        return m_db.exec(QStringLiteral("VACUUM INTO ?"), {path(Connection::CompactFile)}, Source);
    }

    // The copy is opened on a connection of its own and must pass SQLite's check.
    bool checkCopy() {
        const QString name = QStringLiteral("vormel-compact-check");
        QString verdict;
        {
            QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            copy.setDatabaseName(path(Connection::CompactFile));
            copy.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            const bool small = QFileInfo(path(Connection::CompactFile)).size() <= FullCheckBytes;
            verdict = integrityOf(copy, small ? QStringLiteral("integrity_check")
                                              : QStringLiteral("quick_check"));
            copy.close();
        }
        QSqlDatabase::removeDatabase(name);
        return verdict == QLatin1String("ok") ||
               fail(QStringLiteral("11"),
                    Connection::CompactFile + QStringLiteral(" failed its check: ") + verdict);
    }

    bool syncFile(const QString& file) {
        const int fd = ::open(native(file).constData(), O_RDONLY);
        if (fd < 0) {
            const int error = errno;
            return failErrno(error, QStringLiteral("cannot open ") + file);
        }
        const bool synced = ::fsync(fd) == 0;
        const int error = errno;
        ::close(fd);
        return synced || failErrno(error, QStringLiteral("cannot sync ") + file);
    }

    // The live file under a second name, to become the backup. A hard link costs nothing;
    // where the file system has none, a synced copy stands in.
    bool stageLiveFile() {
        const QString live = path(Connection::LiveFile);
        if (::link(native(live).constData(), native(staged()).constData()) == 0)
            return true;
        QFile source(live);
        if (!source.copy(staged()))
            return fail(QString::number(source.error()),
                        QStringLiteral("cannot copy ") + Connection::LiveFile +
                            QStringLiteral(": ") + source.errorString());
        return syncFile(staged());
    }

    bool rename(const QString& from, const QString& to) {
        if (::rename(native(from).constData(), native(to).constData()) == 0)
            return true;
        const int error = errno;
        return failErrno(error, QStringLiteral("cannot rename ") + QFileInfo(from).fileName() +
                                    QStringLiteral(" to ") + QFileInfo(to).fileName());
    }

    void discardCopy() {
        if (m_copyIsOurs)
            ::unlink(native(path(Connection::CompactFile)).constData());
    }

    Connection& m_db;
    const std::function<void()>& m_afterCopy;
    bool m_copyIsOurs = false;
};

} // namespace

bool CompactAndBackup(Connection& db, const std::function<void()>& afterCopy) {
    // Closing first makes every query and model let go of the file, which VACUUM needs.
    db.CloseDatabase();
    if (!db.OpenDatabase())
        return false;
    const bool compacted = Compactor(db, afterCopy).run();
    // The compacted file, or after a failure the live file as it was.
    const bool reopened = db.isOpen() || db.OpenDatabase();
    return compacted && reopened;
}

bool CompactShop(Connection& db) {
    if (!db.place().onServer())
        return CompactAndBackup(db);
    // VACUUM refuses to run inside a transaction, so it goes as it stands, outside one.
    return db.OpenDatabase() &&
           db.exec(QStringLiteral("VACUUM (ANALYZE)"), {}, QStringLiteral("CompactShop"));
}

bool CompactsOnClose(const Connection& db) {
    return !db.place().onServer();
}
