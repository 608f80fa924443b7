#include "newfile.h"

#include "Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString alreadyExists(const QString& path) {
    return path + QStringLiteral(" already exists");
}

bool taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A rename that refuses to replace anything, even a file that appeared a moment ago. On a
// file system without such a rename, a hard link gives the same guarantee.
bool moveIntoPlace(const QString& from, const QString& to, QString& error) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int rc =
        ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        rc = ::link(source.constData(), target.constData());
        if (rc == 0)
            ::unlink(source.constData());
    }
    if (rc == 0)
        return true;
    error = errno == EEXIST
                ? alreadyExists(to)
                : to + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

// Makes the new name itself survive a power cut, not only the file's contents.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool placeNewFile(const QString& path, const FileBuilder& build, QString& error) {
    error.clear();
    if (taken(path)) {
        error = alreadyExists(path);
        return false;
    }
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    QTemporaryDir work(
        QDir(folder).filePath(QStringLiteral(".") + target.fileName() + QStringLiteral("-XXXXXX")));
    if (!work.isValid()) {
        error =
            QStringLiteral("cannot write in ") + folder + QStringLiteral(": ") + work.errorString();
        return false;
    }
    const QString file = work.filePath(Connection::LiveFile);
    if (!build(file, error) || !moveIntoPlace(file, path, error))
        return false;
    syncFolder(folder);
    return true;
}
