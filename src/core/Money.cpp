#include "Money.h"

#include <QRegularExpression>

#include <cmath>

std::optional<Money> Money::parse(const QString& text) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*([+-]?)(\d{1,3}(?:,\d{3})+|\d*)(?:\.(\d{0,4}))?\s*$)"));
    const auto m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    QString whole = m.captured(2).remove(QLatin1Char(','));
    const QString fraction = m.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    if (whole.size() > 14)
        return std::nullopt;
    const qint64 units = whole.toLongLong() * UnitsPerWhole +
                         fraction.leftJustified(4, QLatin1Char('0')).toLongLong();
    return Money(m.captured(1) == QLatin1String("-") ? -units : units);
}

QString Money::format() const {
    return formatWith(true);
}

QString Money::formatPlain() const {
    return formatWith(false);
}

QString Money::formatWith(bool grouped) const {
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    const qint64 cents = (magnitude + 50) / 100;
    QString whole = QString::number(cents / 100);
    if (grouped) {
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, QLatin1Char(','));
    }
    const QString text =
        whole + QLatin1Char('.') + QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
    return (m_units < 0 && cents != 0) ? QLatin1Char('-') + text : text;
}

Money Money::scaled(double factor) const {
    return Money(std::llround(static_cast<double>(m_units) * factor));
}
