#include "dbvalue.h"

#include "utility.h"

namespace {
const QString DateForm = QStringLiteral("yyyy-MM-dd");
const QString StampForm = QStringLiteral("yyyy-MM-dd HH:mm:ss");
} // namespace

QVariant toDb(const QVariant& value) {
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<QDate>()) {
        const QDate d = value.toDate();
        return d.isValid() ? QVariant(d.toString(DateForm))
                           : QVariant(QMetaType::fromType<QString>());
    }
    if (type == QMetaType::fromType<QDateTime>()) {
        const QDateTime t = value.toDateTime();
        return t.isValid() ? QVariant(t.toString(StampForm))
                           : QVariant(QMetaType::fromType<QString>());
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
