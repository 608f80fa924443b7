#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

QString SingleInstance::defaultLockPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
        .filePath(QStringLiteral("vormel.lock"));
}

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(lockPath) {
    // A running copy keeps its lock however long it runs; only a dead owner makes it stale.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::tryLock() {
    return m_lock.tryLock(0);
}
