#include "dbvalue.h"

#include "utility.h"

namespace {
const QString DateForm = QStringLiteral("yyyy-MM-dd");
const QString StampForm = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// QDate::toString parses its format on every call, and a busy day binds thousands of dates,
// so the stored forms are written digit by digit (years outside 1..9999 never reach the shop).
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
    return QDate::fromString(v.toString().left(10), DateForm);
}

QDate readDateOrNone(const QVariant& v) {
    return v.isNull() ? NoDate : readDate(v);
}

QDateTime readStamp(const QVariant& v) {
    if (v.isNull())
        return {};
    const QString text = v.toString();
    QDateTime t = QDateTime::fromString(text, StampForm);
    if (!t.isValid())
        t = QDateTime(readDate(v), QTime(0, 0));
    return t;
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
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}
