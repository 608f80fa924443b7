#pragma once

#include <QString>

// Restarts the throwaway PostgreSQL cluster of `place` (one whose socket folder is also its
// data folder, as scripts/pgcluster makes them): a fast shutdown, which ends every session and
// rolls back what is open, then a start with the same settings. False, with `error` set, when
// the place is no such cluster or pg_ctl failed.
bool restartServer(const QString& place, QString& error);
