#pragma once

#include <QLockFile>
#include <QString>

// Tells whether another copy of the program runs for this user, by a lock file that a crashed
// copy cannot leave blocking: a lock whose process is gone counts as stale and is taken over.
class SingleInstance {
public:
    // The user's own lock: in the user's runtime folder, or, where there is none, in the
    // temporary folder under a name of the user's own, so other accounts never share it.
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    // True when this copy now holds the lock (until it is destroyed).
    bool tryLock();

private:
    QLockFile m_lock;
};
