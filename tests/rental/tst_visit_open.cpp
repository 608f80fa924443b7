#include "ShopFixture.h"

#include <QTest>

// Opening a visit: who may open one, what it loads and which warnings it raises.
class TestVisitOpen : public QObject {
    Q_OBJECT

    std::unique_ptr<ShopFixture> shop;

private Q_SLOTS:
    void init() {
        shop = std::make_unique<ShopFixture>();
        shop->addCounterShop();
        shop->addMember("000200");
        shop->addMember("000300", "N");
        QVERIFY(shop->ok());
    }

    void openOrderOpensForReturning_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("by member number") << "000123";
        QTest::newRow("by item out") << "V00001";
    }
    void openOrderOpensForReturning() {
        QFETCH(QString, key);
        QVERIFY(shop->visit("000123", {{"A", "V00001", "01"}}));
        Outcome outcome;
        auto visit = shop->open(key, &outcome);
        QVERIFY(outcome.ok);
        QVERIFY(!visit->NewOrder());
        QCOMPARE(visit->ExistRentCount(), qint64(1));
        QCOMPARE(visit->OrderLines().size(), 1);
        QCOMPARE(visit->defaultCode(), QStringLiteral("R"));
        QCOMPARE(visit->customer().CustomerID, QStringLiteral("000123"));
        QCOMPARE(visit->customer().RentTimes, qint64(1));
        QCOMPARE(visit->UpdateTotals().ExistRent, qint64(1));
    }

    void refusals_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown member") << "000999" << QString();
        QTest::newRow("item not out") << "V00001" << QString();
        QTest::newRow("inactive member") << "000300"
                                         << "Customer membership not valid!";
    }
    void refusals() {
        QFETCH(QString, key);
        QFETCH(QString, message);
        Outcome outcome;
        shop->open(key, &outcome);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.notices.value(0).text, message);
    }

    // Opened by an item the member still has, an inactive membership is only a warning.
    void inactiveMemberByItemIsWarned() {
        QVERIFY(shop->visit("000123", {{"A", "V00001", "01"}}));
        QVERIFY(shop->t.exec("UPDATE Customers SET Active = 'N'"));
        Outcome outcome;
        auto visit = shop->open("V00001", &outcome);
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.notices.size(), 1);
        QCOMPARE(outcome.notices[0].text, QStringLiteral("Customer membership not valid!"));
        QCOMPARE(outcome.notices[0].icon, MsgIcon::Exclamation);
        QCOMPARE(visit->OrderLines().size(), 1);
    }

    // The clock stands at 10 March 2004.
    void warnings_data() {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QString>("resident");
        QTest::addColumn<QString>("warning");
        const QString under18 = QStringLiteral("Customer is under 18 years old!");
        const QString foreign = QStringLiteral("Customer is not a local resident!");
        QTest::newRow("18 today") << QDate(1986, 3, 10) << "Y" << QString();
        QTest::newRow("18 tomorrow") << QDate(1986, 3, 11) << "Y" << under18;
        QTest::newRow("18 last month") << QDate(1986, 2, 28) << "Y" << QString();
        QTest::newRow("no birth date") << NoDate << "Y" << QString();
        QTest::newRow("visitor") << QDate(1970, 1, 1) << "N" << foreign;
        QTest::newRow("young visitor") << QDate(1990, 1, 1) << "N" << under18 + "  And  " + foreign;
    }
    void warnings() {
        QFETCH(QDate, birth);
        QFETCH(QString, resident);
        QFETCH(QString, warning);
        shop->addMember("000400", "Y", birth, resident);
        Outcome outcome;
        auto visit = shop->open("000400", &outcome);
        QVERIFY(outcome.ok);
        QCOMPARE(visit->warning(), warning);
    }
};

QTEST_GUILESS_MAIN(TestVisitOpen)
#include "tst_visit_open.moc"
