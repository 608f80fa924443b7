#pragma once

#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Conversions between the stored forms of columns and their types in memory.

// Values for binding: dates 'YYYY-MM-DD', timestamps 'YYYY-MM-DD HH:MM:SS', money in units.
// An invalid date or timestamp binds as NULL.
QVariant toDb(const QVariant& value);

QString readText(const QVariant& v);
// NULL or unreadable gives an invalid date.
QDate readDate(const QVariant& v);
// NULL gives NoDate: for the columns where a missing date means "none yet".
QDate readDateOrNone(const QVariant& v);
QDateTime readStamp(const QVariant& v);
Money readMoney(const QVariant& v);
qint64 readCount(const QVariant& v);
double readReal(const QVariant& v);

// A bound pattern for "LIKE ? ESCAPE '\'" that matches rows containing `text`, with any
// % and _ the clerk typed matching themselves. The program stores text upper case, and so is
// the pattern: a server's LIKE tells cases apart, where the file's does not.
QString containsPattern(const QString& text);
