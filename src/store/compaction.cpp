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
#include <unistd.h>

namespace {

const QString Source = QStringLiteral("CompactAndBackup");

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// SQLite's own verdict on a database file, or why it could not give one.
QString integrityOf(QSqlDatabase& db) {
    if (!db.open())
        return db.lastError().text();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next())
        return q.lastError().text();
    return q.value(0).toString();
}

// Each step either succeeds or reports its failure once and stops the sequence.
class Compactor {
public:
    explicit Compactor(Connection& db) : m_db(db) {}

    // Starts on an open connection with no statement running; may leave it closed.
    bool run() {
        if (!makeCopy()) {
            discardCopy();
            return false;
        }
        m_db.CloseDatabase();
        const bool rotated = keepBackup() &&
                             rename(path(Connection::CompactFile), path(Connection::LiveFile)) &&
                             syncFile(m_db.folder());
        if (!rotated)
            discardCopy();
        return rotated;
    }

private:
    QString path(const QString& name) const {
        return QFileInfo(m_db.filePath(name)).absoluteFilePath();
    }

    bool fail(const QString& code, const QString& description) {
        m_db.ReportError(code, Source, description);
        return false;
    }

    bool failErrno(int error, const QString& what) {
        return fail(QString::number(error),
                    what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)));
    }

    bool makeCopy() {
        return removeLeftover() && vacuumInto() && checkCopy() &&
               syncFile(path(Connection::CompactFile));
    }

    bool removeLeftover() {
        if (::unlink(native(path(Connection::CompactFile)).constData()) != 0) {
            const int error = errno;
            if (error != ENOENT)
                return failErrno(error, QStringLiteral("cannot remove ") + Connection::CompactFile);
        }
        // From here on whatever stands at that name is ours to remove.
        m_copyIsOurs = true;
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
            verdict = integrityOf(copy);
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

    // The live file becomes the backup without the live name ever being empty: it is staged
    // under a temporary name that then replaces Flicka_O.mdb in one rename.
    bool keepBackup() {
        const QString staged = path(Connection::BackupFile + QStringLiteral(".new"));
        ::unlink(native(staged).constData());
        const bool kept = stage(path(Connection::LiveFile), staged) &&
                          rename(staged, path(Connection::BackupFile));
        if (!kept)
            ::unlink(native(staged).constData());
        return kept;
    }

    // A hard link costs nothing; where the file system has none, a synced copy stands in.
    bool stage(const QString& live, const QString& staged) {
        if (::link(native(live).constData(), native(staged).constData()) == 0)
            return true;
        QFile source(live);
        if (!source.copy(staged))
            return fail(QString::number(source.error()),
                        QStringLiteral("cannot copy ") + Connection::LiveFile +
                            QStringLiteral(": ") + source.errorString());
        return syncFile(staged);
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
    bool m_copyIsOurs = false;
};

} // namespace

bool CompactAndBackup(Connection& db) {
    // Closing first makes every query and model let go of the file, which VACUUM needs.
    db.CloseDatabase();
    if (!db.OpenDatabase())
        return false;
    const bool compacted = Compactor(db).run();
    // The compacted file, or after a failure the live file as it was.
    const bool reopened = db.isOpen() || db.OpenDatabase();
    return compacted && reopened;
}
