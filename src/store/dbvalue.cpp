#include "dbvalue.h"

#include "utility.h"

namespace {

// The stored forms are "yyyy-MM-dd" and "yyyy-MM-dd HH:mm:ss". QDate::toString and fromString
// parse a format on every call, and a busy day or a report moves thousands of dates, so both
// forms are written and read digit by digit (years outside 1..9999 never reach the shop).
void putDigits(QChar* at, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        at[i] = QLatin1Char(char('0' + value % 10));
}

QString dateText(QDate d) {
    QString text(10, QLatin1Char('-'));
    putDigits(text.data(), d.year(), 4);
    putDigits(text.data() + 5, d.month(), 2);
    putDigits(text.data() + 8, d.day(), 2);
    return text;
}

QString stampText(const QDateTime& t) {
    QString text = dateText(t.date()) + QStringLiteral(" 00:00:00");
    const QTime time = t.time();
    putDigits(text.data() + 11, time.hour(), 2);
    putDigits(text.data() + 14, time.minute(), 2);
    putDigits(text.data() + 17, time.second(), 2);
    return text;
}

// The number written in text[at, at + width); -1 unless every one of them is a digit.
int digitsAt(QStringView text, qsizetype at, int width) {
    int value = 0;
    for (qsizetype i = at; i < at + width; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The date at the start of the text; invalid unless it is a real date in the stored form.
QDate dateAt(QStringView text) {
    if (text.size() < 10 || text[4] != u'-' || text[7] != u'-')
        return {};
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    return year > 0 && month > 0 && day > 0 ? QDate(year, month, day) : QDate();
}

// The time after the date; midnight when the text holds no time of day.
QTime timeAfterDate(QStringView text) {
    if (text.size() < 19 || text[10] != u' ' || text[13] != u':' || text[16] != u':')
        return QTime(0, 0);
    const QTime t(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
    return t.isValid() ? t : QTime(0, 0);
}

} // namespace

QVariant toDb(const QVariant& value) {
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<QDate>()) {
        const QDate d = value.toDate();
        return d.isValid() ? QVariant(dateText(d)) : QVariant(QMetaType::fromType<QString>());
    }
    if (type == QMetaType::fromType<QDateTime>()) {
        const QDateTime t = value.toDateTime();
        return t.isValid() ? QVariant(stampText(t)) : QVariant(QMetaType::fromType<QString>());
    }
    if (type == QMetaType::fromType<Money>())
        return QVariant(value.value<Money>().units());
    // Empty text is stored as text, never as NULL, so "= ''" finds it like any other value.
    if (type == QMetaType::fromType<QString>() && value.toString().isNull())
        return QVariant(QString::fromLatin1(""));
    return value;
}

QString readText(const QVariant& v) {
    return NullToText(v);
}

QDate readDate(const QVariant& v) {
    if (v.isNull())
        return {};
    return dateAt(v.toString());
}

QDate readDateOrNone(const QVariant& v) {
    return v.isNull() ? NoDate : readDate(v);
}

QDateTime readStamp(const QVariant& v) {
    if (v.isNull())
        return {};
    const QString text = v.toString();
    const QDate date = dateAt(text);
    return date.isValid() ? QDateTime(date, timeAfterDate(text)) : QDateTime();
}

Money readMoney(const QVariant& v) {
    return Money::fromUnits(v.toLongLong());
}

qint64 readCount(const QVariant& v) {
    return v.toLongLong();
}

double readReal(const QVariant& v) {
    return v.toDouble();
}

QString containsPattern(const QString& text) {
    QString escaped = text.toUpper();
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}
