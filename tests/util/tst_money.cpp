#include "Money.h"

#include <QTest>

class TestMoney : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("units");
        QTest::newRow("whole") << "12" << true << qint64(120000);
        QTest::newRow("two decimals") << "12.50" << true << qint64(125000);
        QTest::newRow("four decimals") << "3.3333" << true << qint64(33333);
        QTest::newRow("leading point") << ".5" << true << qint64(5000);
        QTest::newRow("negative") << "-50" << true << qint64(-500000);
        QTest::newRow("grouped") << "1,234,567.89" << true << qint64(12345678900);
        QTest::newRow("spaces around") << " 7 " << true << qint64(70000);
        QTest::newRow("letters") << "abc" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("lone point") << "." << false << qint64(0);
        QTest::newRow("five decimals") << "1.00001" << false << qint64(0);
        QTest::newRow("misplaced comma") << "12,34" << false << qint64(0);
        QTest::newRow("two signs") << "--5" << false << qint64(0);
        QTest::newRow("too large") << "123456789012345" << false << qint64(0);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, units);
        const auto money = Money::parse(text);
        QCOMPARE(money.has_value(), valid);
        if (valid)
            QCOMPARE(money->units(), units);
    }

    void format_data() {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<QString>("plain");
        QTest::newRow("zero") << qint64(0) << "0.00"
                              << "0.00";
        QTest::newRow("cents") << qint64(1500) << "0.15"
                               << "0.15";
        QTest::newRow("thousands") << qint64(12345678900) << "1,234,567.89"
                                   << "1234567.89";
        QTest::newRow("exactly thousand") << qint64(10000000) << "1,000.00"
                                          << "1000.00";
        QTest::newRow("rounds half up") << qint64(33350) << "3.34"
                                        << "3.34";
        QTest::newRow("rounds down") << qint64(33349) << "3.33"
                                     << "3.33";
        QTest::newRow("negative") << qint64(-500000) << "-50.00"
                                  << "-50.00";
        QTest::newRow("negative rounds away") << qint64(-33350) << "-3.34"
                                              << "-3.34";
        QTest::newRow("tiny negative is zero") << qint64(-40) << "0.00"
                                               << "0.00";
    }
    void format() {
        QFETCH(qint64, units);
        QFETCH(QString, grouped);
        QFETCH(QString, plain);
        QCOMPARE(Money::fromUnits(units).format(), grouped);
        QCOMPARE(Money::fromUnits(units).formatPlain(), plain);
    }

    void sumsStayExact() {
        Money total;
        const Money dime = *Money::parse(QStringLiteral("0.10"));
        for (int i = 0; i < 1000; ++i)
            total += dime;
        QCOMPARE(total, Money::fromWhole(100));
        QCOMPARE(*Money::parse(QStringLiteral("3.333")) + Money::fromWhole(1),
                 *Money::parse(QStringLiteral("4.333")));
    }

    void arithmetic() {
        const Money rate = *Money::parse(QStringLiteral("15"));
        QCOMPARE(rate * 2, Money::fromWhole(30));
        QCOMPARE(rate.scaled(1.0 - 1.0), Money());
        QCOMPARE(rate.scaled(0.5), *Money::parse(QStringLiteral("7.5")));
        QVERIFY(Money::fromWhole(-1) < Money());
        QCOMPARE(-(Money::fromWhole(5) - Money::fromWhole(8)), Money::fromWhole(3));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
