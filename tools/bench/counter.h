#pragma once

#include <QString>

// One counter of the load test, run as a process of its own with its own connection: until
// `untilMs` (milliseconds since the epoch) it serves random members through the visit model
// as a clerk would (open the visit, return, renew, settle, rent, sell, save), about one visit
// in ten on a member and a copy every counter is after at that moment. A save that fails
// (the server went away) is tried again until it is stored or refused. Every visit is logged
// to `logPath` as it goes, clerk `counterID` on every order and sale. The exit code.
int runCounter(const QString& place, const QString& counterID, qint64 untilMs,
               const QString& logPath);
