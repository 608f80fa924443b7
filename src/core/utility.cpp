#include "utility.h"

#include "Clock.h"

#include <QLocale>

namespace {

bool allDigits(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Leading zeros dropped, then padded back to at least `width` digits.
QString padDigits(const QString& digits, int width) {
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits.at(first) == QLatin1Char('0'))
        ++first;
    return digits.mid(first).rightJustified(width, QLatin1Char('0'));
}

// Day from characters 1-2, month from 4-5, year from the last four.
QDate dateByPosition(const QString& s) {
    if (s.size() != 10)
        return {};
    const QString day = s.mid(0, 2), month = s.mid(3, 2), year = s.right(4);
    if (!allDigits(day) || !allDigits(month) || !allDigits(year))
        return {};
    return QDate(year.toInt(), month.toInt(), day.toInt());
}

} // namespace

QString NullToText(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

QDateTime NowStamp(const Clock& clock) {
    return clock.now();
}

QDate TodayStamp(const Clock& clock) {
    return clock.today();
}

QString StampText(const QDateTime& stamp) {
    return QLocale::c().toString(stamp, QStringLiteral("dd/MMM/yyyy HH:mm:ss"));
}

QString DateText(const QDate& date) {
    return QLocale::c().toString(date, QStringLiteral("dd/MMM/yyyy"));
}

QString ClockText(const QDateTime& stamp) {
    return QLocale::c().toString(stamp, QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString FormatItemID(const QString& text) {
    if (text.isEmpty())
        return {};
    if (allDigits(text))
        return padDigits(text, 6);
    const QString rest = text.mid(1);
    if (!allDigits(rest))
        return text;
    return text.left(1) + padDigits(rest, 5);
}

bool IsDayDate(const QString& text) {
    const QDate date = dateByPosition(text);
    return date.isValid() && QLocale::c().toString(date, QStringLiteral("dd/MM/yyyy")) == text;
}

QString DateToDisplay(const QDate& date) {
    if (!date.isValid() || date == NoDate)
        return BlankDateMask;
    return QLocale::c().toString(date, QStringLiteral("dd/MM/yyyy"));
}

QDate DateToStore(const QString& typed) {
    const QDate date = dateByPosition(typed);
    return date.isValid() ? date : NoDate;
}

bool MonthRange(const QString& month, QString& first, QString& last) {
    const QString day1 = QStringLiteral("01/") + month;
    if (!IsDayDate(day1))
        return false;
    const QDate start = dateByPosition(day1);
    first = DateToDisplay(start);
    last = DateToDisplay(start.addMonths(1).addDays(-1));
    return true;
}

QString FormatCount(qint64 n) {
    return QString::number(n);
}

QString FormatSerial(qint64 n) {
    const QString digits = QString::number(n < 0 ? -n : n).rightJustified(6, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}
