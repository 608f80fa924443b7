#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

class Clock;

// The date that stands for "no date": a line still out, a charge still owed, a member who
// never rented.
inline const QDate NoDate{2222, 1, 1};

// What an empty date box reads.
inline const QString BlankDateMask = QStringLiteral("  /  /    ");

QString NullToText(const QVariant& value);

// Now to the second, and today, from the given clock.
QDateTime NowStamp(const Clock& clock);
QDate TodayStamp(const Clock& clock);

// "dd/MMM/yyyy hh:mm:ss" and "dd/MMM/yyyy" with English month names, whatever the locale.
QString StampText(const QDateTime& stamp);
QString DateText(const QDate& date);
// "dd/mm/yyyy hh:mm", the status bar clock.
QString ClockText(const QDateTime& stamp);

// Typed identifiers: all digits become at least six digits with leading zeros (12 -> 000012);
// otherwise the first character stays and an all-digit rest becomes five digits
// (A12 -> A00012); anything else comes back unchanged.
QString FormatItemID(const QString& text);

// True when the text is a real date written exactly "dd/mm/yyyy".
bool IsDayDate(const QString& text);

// A stored date as the screens show it, "dd/mm/yyyy"; the blank mask for no date.
QString DateToDisplay(const QDate& date);

// A typed "dd/mm/yyyy" date read by position; NoDate when the text is not a date.
QDate DateToStore(const QString& typed);

// "mm/yyyy" to the first and last day of that month as "dd/mm/yyyy". False, and the outputs
// untouched, unless the month is written with two digits and four.
bool MonthRange(const QString& month, QString& first, QString& last);

// "0" and "000000" forms of counts and identifiers.
QString FormatCount(qint64 n);
QString FormatSerial(qint64 n);
