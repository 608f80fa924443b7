#include "Cases.h"
#include "Money.h"
#include "utility.h"

#include <QLocale>
#include <QTest>

namespace {

// One row per "typed -> result" pair, named after it.
void textRows(const QStringList& rows) {
    const Cases<QString, QString> add;
    for (const QString& row : rows) {
        const QStringList pair = row.split(QStringLiteral(" -> "));
        add(qPrintable(row), pair.at(0), pair.at(1));
    }
}

} // namespace

// The plain helpers every screen uses: money, typed dates and months, numbers and names.
class TestUtil : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        // Month names and digits must not follow the machine's language.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void formatItemID_data() {
        textRows({"7 -> 000007", "0000123 -> 000123", "1234567 -> 1234567", "B7 -> B00007",
                  "AB12 -> AB12", "S -> S", " -> ",
                  "123456789012345678901234 -> 123456789012345678901234"});
    }
    void formatItemID() {
        auto [in, out] = Cases<QString, QString>::fetch();
        QCOMPARE(FormatItemID(in), out);
    }

    // A typed date is accepted, stored and shown back alike; a refused one is stored as NoDate.
    void typedDates_data() {
        textRows({"05/12/2004 -> 2004-12-05", "29/02/2004 -> 2004-02-29", "29/02/2003 -> refused",
                  "31/04/2004 -> refused", "01/13/2004 -> refused", "1/2/2004 -> refused",
                  "01/02/20045 -> refused", "  /  /     -> refused"});
    }
    void typedDates() {
        auto [in, out] = Cases<QString, QString>::fetch();
        const bool refused = out == QLatin1String("refused");
        const QDate stored = refused ? NoDate : QDate::fromString(out, Qt::ISODate);
        QCOMPARE(IsDayDate(in), !refused);
        QCOMPARE(DateToStore(in), stored);
        QCOMPARE(DateToDisplay(stored), refused ? BlankDateMask : in);
    }

    // A refused month leaves both days as they were ("x" and "y").
    void monthRange_data() {
        textRows({"02/2004 -> 01/02/2004 29/02/2004", "02/2005 -> 01/02/2005 28/02/2005",
                  "12/2004 -> 01/12/2004 31/12/2004", "2/2004 -> refused, x y",
                  "13/2004 -> refused, x y"});
    }
    void monthRange() {
        auto [in, out] = Cases<QString, QString>::fetch();
        QString from = QStringLiteral("x"), to = QStringLiteral("y");
        const bool ok = MonthRange(in, from, to);
        QCOMPARE((ok ? QString() : QStringLiteral("refused, ")) + from + QLatin1Char(' ') + to,
                 out);
    }

    void textForms() {
        const QDateTime stamp(QDate(2004, 12, 5), QTime(9, 7, 3));
        const QStringList got = {StampText(stamp), DateText(stamp.date()), ClockText(stamp),
                                 DateToDisplay(QDate()), NullToText(QVariant())};
        QCOMPARE(got.join(QLatin1Char('|')),
                 QStringLiteral("05/Dec/2004 09:07:03|05/Dec/2004|05/12/2004 09:07|  /  /    |"));
        QVERIFY(!IsDayDate(QStringLiteral("01-02-2004"))); // only the mask's own separators
    }

    // Amounts are held in ten-thousandths.
    void parseMoney_data() {
        textRows({"12 -> 120000", "3.3333 -> 33333", ".5 -> 5000", "-50 -> -500000",
                  "1,234,567.89 -> 12345678900", " 7  -> 70000", ". -> refused",
                  "1.00001 -> refused", "12,34 -> refused", "--5 -> refused",
                  "123456789012345 -> refused"});
    }
    void parseMoney() {
        auto [in, out] = Cases<QString, QString>::fetch();
        const auto money = Money::parse(in);
        QCOMPARE(money ? QString::number(money->units()) : QStringLiteral("refused"), out);
    }

    // `in` is an amount in ten-thousandths; the plain form is the grouped one without commas.
    void formatMoney_data() {
        textRows({"1500 -> 0.15", "12345678900 -> 1,234,567.89", "10000000 -> 1,000.00",
                  "33350 -> 3.34", "33349 -> 3.33", "-33350 -> -3.34", "-40 -> 0.00"});
    }
    void formatMoney() {
        auto [in, out] = Cases<QString, QString>::fetch();
        const Money money = Money::fromUnits(in.toLongLong());
        QCOMPARE(money.format(), out);
        QCOMPARE(money.formatPlain(), out.remove(QLatin1Char(',')));
    }

    void arithmeticStaysExact() {
        Money total;
        for (int i = 0; i < 1000; ++i)
            total += *Money::parse(QStringLiteral("0.10"));
        QCOMPARE(total, Money::fromWhole(100));
        QCOMPARE(*Money::parse(QStringLiteral("3.333")) + Money::fromWhole(1),
                 *Money::parse(QStringLiteral("4.333")));
        QCOMPARE(Money::fromWhole(15) * 2, Money::fromWhole(30));
        QCOMPARE(Money::fromWhole(15).scaled(0.5), *Money::parse(QStringLiteral("7.5")));
        QVERIFY(Money::fromWhole(-1) < Money());
        QCOMPARE(-(Money::fromWhole(5) - Money::fromWhole(8)), Money::fromWhole(3));
    }
};

QTEST_GUILESS_MAIN(TestUtil)
#include "tst_util.moc"
