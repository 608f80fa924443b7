#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

QString SingleInstance::defaultLockPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("vormel.lock"));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
        .filePath(QStringLiteral("vormel-%1.lock").arg(::getuid()));
}

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(lockPath) {
    // A running copy keeps its lock however long it runs; only a dead owner makes it stale.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::tryLock() {
    return m_lock.tryLock(0);
}
