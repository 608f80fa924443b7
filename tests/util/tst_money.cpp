#include "Money.h"

#include <QTest>

class TestMoney : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("units"); // -1 for a refused text
        QTest::newRow("whole") << "12" << qint64(120000);
        QTest::newRow("four decimals") << "3.3333" << qint64(33333);
        QTest::newRow("leading point") << ".5" << qint64(5000);
        QTest::newRow("negative") << "-50" << qint64(-500000);
        QTest::newRow("grouped") << "1,234,567.89" << qint64(12345678900);
        QTest::newRow("spaces around") << " 7 " << qint64(70000);
        QTest::newRow("letters") << "abc" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("lone point") << "." << qint64(-1);
        QTest::newRow("five decimals") << "1.00001" << qint64(-1);
        QTest::newRow("misplaced comma") << "12,34" << qint64(-1);
        QTest::newRow("two signs") << "--5" << qint64(-1);
        QTest::newRow("too large") << "123456789012345" << qint64(-1);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(qint64, units);
        const auto money = Money::parse(text);
        QCOMPARE(money.has_value(), units != -1);
        if (money)
            QCOMPARE(money->units(), units);
    }

    // The plain form is the grouped one without its commas.
    void format_data() {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("grouped");
        QTest::newRow("zero") << qint64(0) << "0.00";
        QTest::newRow("cents") << qint64(1500) << "0.15";
        QTest::newRow("thousands") << qint64(12345678900) << "1,234,567.89";
        QTest::newRow("exactly thousand") << qint64(10000000) << "1,000.00";
        QTest::newRow("rounds half up") << qint64(33350) << "3.34";
        QTest::newRow("rounds down") << qint64(33349) << "3.33";
        QTest::newRow("negative rounds away") << qint64(-33350) << "-3.34";
        QTest::newRow("tiny negative is zero") << qint64(-40) << "0.00";
    }
    void format() {
        QFETCH(qint64, units);
        QFETCH(QString, grouped);
        QCOMPARE(Money::fromUnits(units).format(), grouped);
        QCOMPARE(Money::fromUnits(units).formatPlain(), grouped.remove(QLatin1Char(',')));
    }

    void arithmeticStaysExact() {
        Money total;
        for (int i = 0; i < 1000; ++i)
            total += *Money::parse(QStringLiteral("0.10"));
        QCOMPARE(total, Money::fromWhole(100));
        QCOMPARE(*Money::parse(QStringLiteral("3.333")) + Money::fromWhole(1),
                 *Money::parse(QStringLiteral("4.333")));
        const Money rate = Money::fromWhole(15);
        QCOMPARE(rate * 2, Money::fromWhole(30));
        QCOMPARE(rate.scaled(1.0 - 1.0), Money());
        QCOMPARE(rate.scaled(0.5), *Money::parse(QStringLiteral("7.5")));
        QVERIFY(Money::fromWhole(-1) < Money());
        QCOMPARE(-(Money::fromWhole(5) - Money::fromWhole(8)), Money::fromWhole(3));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
