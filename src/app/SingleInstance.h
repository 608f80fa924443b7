#pragma once

#include <QLockFile>
#include <QString>

// Tells whether another copy of the program runs, by a lock file that a crashed copy cannot
// leave blocking: a lock whose process is gone counts as stale and is taken over.
class SingleInstance {
public:
    // The lock every copy of the program shares, in the temporary folder.
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    // True when this copy now holds the lock (until it is destroyed).
    bool tryLock();

private:
    QLockFile m_lock;
};
