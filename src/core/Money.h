#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

// An amount of money in ten-thousandths, so sums of many small charges stay exact.
class Money {
public:
    static constexpr qint64 UnitsPerWhole = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static constexpr Money fromWhole(qint64 whole) { return Money(whole * UnitsPerWhole); }

    // Reads an amount as a clerk types it: optional sign, optional thousands commas,
    // up to four decimals ("1,234.50", "-50", ".5"). Anything else gives no value.
    static std::optional<Money> parse(const QString& text);

    constexpr qint64 units() const { return m_units; }
    constexpr bool isZero() const { return m_units == 0; }

    // "#,##0.00": thousands grouped, two decimals rounded half away from zero.
    QString format() const;
    // "0.00" without grouping, the form an edit box starts from.
    QString formatPlain() const;

    // The amount times a fraction (a discount rate), rounded to the nearest unit.
    Money scaled(double factor) const;

    constexpr Money operator-() const { return Money(-m_units); }
    constexpr Money operator+(Money o) const { return Money(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return Money(m_units - o.m_units); }
    constexpr Money operator*(qint64 n) const { return Money(m_units * n); }
    constexpr Money& operator+=(Money o) {
        m_units += o.m_units;
        return *this;
    }
    constexpr Money& operator-=(Money o) {
        m_units -= o.m_units;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}
    QString formatWith(bool grouped) const;

    qint64 m_units = 0;
};

Q_DECLARE_METATYPE(Money)
