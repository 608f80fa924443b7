#include "compaction.h"

#include "Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString Source = QStringLiteral("CompactAndBackup");

// Each step either succeeds or reports its failure once and stops the sequence.
class Compactor {
public:
    explicit Compactor(Connection& db) : m_db(db) {}

    bool run() {
        // Reopening finishes every statement still open on the file, which VACUUM needs.
        m_db.CloseDatabase();
        if (!m_db.OpenDatabase())
            return false;
        const bool compacted = removeLeftover() && vacuumInto() && checkCopy() &&
                               syncFile(path(Connection::CompactFile));
        if (!compacted) {
            removeOwnCopy();
            return false;
        }
        m_db.CloseDatabase();
        const bool rotated = keepBackup() &&
                             rename(path(Connection::CompactFile), path(Connection::LiveFile)) &&
                             syncFolder();
        if (!rotated)
            removeOwnCopy();
        return rotated;
    }

private:
    QString path(const QString& name) const { return m_db.filePath(name); }

    bool fail(int error, const QString& what) {
        m_db.ReportError(QString::number(error), Source,
                         what + QStringLiteral(": ") +
                             QString::fromLocal8Bit(std::strerror(error)));
        return false;
    }

    bool removeLeftover() {
        const QByteArray file = QFile::encodeName(path(Connection::CompactFile));
        if (::unlink(file.constData()) != 0 && errno != ENOENT)
            return fail(errno, QStringLiteral("cannot remove ") + Connection::CompactFile);
        return true;
    }

    bool vacuumInto() {
        m_copyMade =
            m_db.exec(QStringLiteral("VACUUM INTO ?"), {path(Connection::CompactFile)}, Source);
        return m_copyMade;
    }

    // The copy is opened on its own connection and must pass SQLite's own check.
    bool checkCopy() {
        const QString name = QStringLiteral("vormel-compact-check");
        QString verdict;
        {
            QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            copy.setDatabaseName(path(Connection::CompactFile));
            copy.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (copy.open()) {
                QSqlQuery q(copy);
                if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
                    verdict = q.value(0).toString();
            }
            copy.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (verdict == QLatin1String("ok"))
            return true;
        m_db.ReportError(QStringLiteral("11"), Source,
                         Connection::CompactFile + QStringLiteral(" failed its check: ") + verdict);
        return false;
    }

    bool syncFile(const QString& file) {
        const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY);
        if (fd < 0)
            return fail(errno, QStringLiteral("cannot open ") + file);
        const bool ok = ::fsync(fd) == 0;
        const int error = errno;
        ::close(fd);
        return ok || fail(error, QStringLiteral("cannot sync ") + file);
    }

    bool syncFolder() { return syncFile(m_db.folder()); }

    // The live file becomes the backup without ever leaving the live name empty: a hard link
    // (or, where links are impossible, a synced copy) under a temporary name replaces
    // Flicka_O.mdb in one rename.
    bool keepBackup() {
        const QString live = path(Connection::LiveFile);
        const QString staged = path(Connection::BackupFile + QStringLiteral(".new"));
        ::unlink(QFile::encodeName(staged).constData());
        if (::link(QFile::encodeName(live).constData(), QFile::encodeName(staged).constData()) !=
            0) {
            if (!QFile::copy(live, staged))
                return fail(errno ? errno : EIO,
                            QStringLiteral("cannot copy ") + Connection::LiveFile);
            if (!syncFile(staged))
                return false;
        }
        if (!rename(staged, path(Connection::BackupFile))) {
            ::unlink(QFile::encodeName(staged).constData());
            return false;
        }
        return true;
    }

    bool rename(const QString& from, const QString& to) {
        if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
            return fail(errno, QStringLiteral("cannot rename ") + QFileInfo(from).fileName() +
                                   QStringLiteral(" to ") + QFileInfo(to).fileName());
        return true;
    }

    void removeOwnCopy() {
        if (m_copyMade)
            ::unlink(QFile::encodeName(path(Connection::CompactFile)).constData());
    }

    Connection& m_db;
    bool m_copyMade = false;
};

} // namespace

bool CompactAndBackup(Connection& db) {
    if (!db.isOpen() && !db.OpenDatabase())
        return false;
    const bool ok = Compactor(db).run();
    if (!db.isOpen())
        db.OpenDatabase();
    return ok;
}
