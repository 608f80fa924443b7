#include "ShopFixture.h"
#include "adjustments.h"

#include <QTest>

// What a saved visit leaves in the database.
class TestVisitSave : public QObject {
    Q_OBJECT

    std::unique_ptr<ShopFixture> shop;

    // The rows of orders, lines, charge rows and sales, then every item's status.
    QString stored() {
        QStringList counts;
        for (const char* table : {"Orders", "Order_Details", "Order_Payment", "Sales"})
            counts << QString::number(shop->count(QStringLiteral("SELECT count(*) FROM ") + table));
        return counts.join(' ') + " | " + shop->rows("Items", "ItemID Status");
    }
    QString payments() {
        return shop->rows("Order_Payment", "ItemID PayType RenewIndex Quantity ChargeAmt "
                                           "SettleDate PayStatus PayDate");
    }
    void at(int day, int hour = 10) {
        shop->clock.set(QDateTime(QDate(2004, 3, day), QTime(hour, 0)));
    }
    // A visit that rents 000001 on 1 March, due 4 March.
    void rented() { QVERIFY(shop->visit("000123", {{"A", "000001", "01"}})); }

private Q_SLOTS:
    void init() {
        shop = std::make_unique<ShopFixture>();
        shop->addCounterShop();
        QVERIFY(shop->ok());
        at(1);
    }

    void rentOnNewOrder() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "02"}, {"F", "000002", "01"}}));
        QCOMPARE(shop->rows("Orders", "CustomerID EmployeeID OrderID"), "000123 13 000001");
        QCOMPARE(shop->rows("Order_Details", "OrderID ItemID RentStatus EndDate ReturnDate"),
                 "000001 000001 0 2004-03-07 2222-01-01; 000001 000002 0 2004-03-04 2222-01-01");
        QCOMPARE(
            payments(),
            "000001 0 0 2 300000 2004-03-01 Y 2004-03-01; 000002 3 0 1 0 2004-03-01 Y 2004-03-01");
        QCOMPARE(stored(), "1 2 2 0 | 000001 1; 000002 1; 000003 0; S00001 4; V00001 0");
        QCOMPARE(shop->rows("SerialNo", "OrderID OrderIdx"), "2 3");
    }

    void returns_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("payments");
        QTest::newRow("five days late")
            << 9 << 10
            << "000001 0 0 1 150000 2004-03-01 Y 2004-03-01; 000001 1 0 5 250000 2004-03-09 Y "
               "2004-03-09";
        QTest::newRow("on the due day") << 4 << 20 << "000001 0 0 1 150000 2004-03-01 Y 2004-03-01";
    }
    void returns() {
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(QString, payments);
        rented();
        at(day, hour);
        QVERIFY(shop->visit("000123", {{"R", "000001"}}));
        QCOMPARE(shop->rows("Order_Details", "RentStatus ReturnDate"),
                 QString("1 2004-03-%1").arg(day, 2, 10, QLatin1Char('0')));
        QCOMPARE(this->payments(), payments);
        QCOMPARE(stored(), QString("1 1 %1 0 | 000001 0; 000002 0; 000003 0; S00001 4; V00001 0")
                               .arg(payments.count(';') + 1));
    }

    // A sale and a rental taken back within the visit write no order.
    void saleAndDeletedRentalWriteNoOrder() {
        QVERIFY(
            shop->visit("000123", {{"S", "S00001", "07"}, {"A", "000001", "01"}, {"D", "000001"}}));
        QCOMPARE(shop->rows("Sales", "RateID ItemID Quantity NetAmt GrossAmt SaleDate CustomerID"),
                 "S00001  7 600000 600000 2004-03-01 000123");
        QCOMPARE(stored(), "0 0 0 1 | 000001 0; 000002 0; 000003 0; S00001 4; V00001 0");
    }

    void unchangedExistingOrderOnlyStampsTheOrder() {
        rented();
        QVERIFY(shop->t.exec("UPDATE Orders SET EmployeeID = '7'"));
        at(2);
        QVERIFY(shop->visit("000123", {}));
        QCOMPARE(shop->rows("Orders", "ModDate EmployeeID InDate") + " | " +
                     shop->rows("Order_Details", "ModDate"),
                 "2004-03-02 10:00:00 13 2004-03-01 10:00:00 | 2004-03-01 10:00:00");
        QCOMPARE(stored(), "1 1 1 0 | 000001 1; 000002 0; 000003 0; S00001 4; V00001 0");
    }

    // The late row carries the period that ended, the renewal row the new one.
    void renewals_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("paid");
        QTest::newRow("cash") << "RR"
                              << "Y 2004-03-06";
        QTest::newRow("arrears") << "RR*"
                                 << "N 2222-01-01";
    }
    void renewals() {
        QFETCH(QString, code);
        QFETCH(QString, paid);
        rented();
        at(6); // two days late
        QVERIFY(shop->visit("000123", {{code, "000001", "01"}}));
        QCOMPARE(shop->rows("Order_Payment", "PayType RenewIndex ChargeAmt SettleDate PayStatus "
                                             "PayDate EndDate"),
                 QString("0 0 150000 2004-03-01 Y 2004-03-01 2004-03-04; 1 0 100000 2004-03-06 %1 "
                         "2004-03-09; 2 1 150000 2004-03-06 %1 2004-03-09")
                     .arg(paid));
        QCOMPARE(shop->rows("Order_Details", "StartDate EndDate RentStatus"),
                 "2004-03-06 10:00:00 2004-03-09 0");
        QCOMPARE(stored(), "1 1 3 0 | 000001 1; 000002 0; 000003 0; S00001 4; V00001 0");
    }

    void arrearsShowOnTheNextVisit() {
        rented();
        at(6);
        QVERIFY(shop->visit("000123", {{"RR*", "000001", "01"}}));
        at(7);
        auto visit = shop->open("000123");
        QCOMPARE(visit->OrderLines().size(), 1);
        QCOMPARE(visit->OrderLines()[0].OSAmt, Money::fromWhole(25));
        QCOMPARE(visit->OrderLines()[0].LastRenewIndex, qint64(1));
        // Settling pays every owed row of the line.
        QVERIFY(runCommand(*visit, "R", "S88"));
        QCOMPARE(visit->UpdateTotals().total(), Money::fromWhole(25));
        QVERIFY(visit->SaveTransaction().ok);
        QCOMPARE(shop->count("SELECT count(*) FROM Order_Payment WHERE PayStatus = 'N'"), 0);
    }

    // A failed save is rolled back and leaves the visit as it was, so saving again after the
    // cause is gone writes every row exactly once.
    void failedSaveCanBeRepeated() {
        rented();
        at(9);
        QVERIFY(shop->t.exec("CREATE TRIGGER refuse_sales BEFORE INSERT ON Sales "
                             "BEGIN SELECT RAISE(ABORT, 'till closed'); END"));
        auto visit = shop->open("000123");
        QVERIFY(runCommand(*visit, "R", "000001") && runCommand(*visit, "A", "000002", "01") &&
                runCommand(*visit, "S", "S00001", "01"));
        const Money total = visit->UpdateTotals().total();
        const QString before = stored();
        shop->t.messages.clear();
        const Outcome failed = visit->SaveTransaction();
        QVERIFY(!failed.ok);
        QCOMPARE(failed.notices.last().text, QStringLiteral("Save record error!\rRecord NOT save"));
        QCOMPARE(shop->t.messages.boxes.size(), 1); // the database's own error report
        QCOMPARE(stored(), before);
        QCOMPARE(shop->rows("SerialNo", "OrderIdx"), "2");
        QCOMPARE(visit->UpdateTotals().total(), total);
        QCOMPARE(visit->OrderLines()[0].payments.size(), 1);

        QVERIFY(shop->t.exec("DROP TRIGGER refuse_sales"));
        QVERIFY(visit->SaveTransaction().ok);
        QCOMPARE(payments(),
                 "000001 0 0 1 150000 2004-03-01 Y 2004-03-01; 000001 1 0 5 250000 2004-03-09 Y "
                 "2004-03-09; 000002 0 0 1 150000 2004-03-09 Y 2004-03-09");
        QCOMPARE(stored(), "1 2 3 1 | 000001 0; 000002 1; 000003 0; S00001 4; V00001 0");
    }

    // Another program reading the file past the busy timeout makes the commit fail. The save
    // is rolled back rather than left open, so neither it nor a later single write is lost.
    void failedCommitLeavesNothingOpen() {
        QVERIFY(shop->t.exec("PRAGMA busy_timeout = 50"));
        auto visit = shop->open("000123");
        QVERIFY(runCommand(*visit, "A", "000001", "01"));
        ScriptedMessages readerMessages;
        Connection reader(readerMessages, shop->t.folder());
        QVERIFY(reader.OpenDatabase() && reader.exec("BEGIN", {}, "reader"));
        auto reading = reader.run("SELECT count(*) FROM Orders", {}, "reader");
        QVERIFY(reading && reading->next());

        shop->t.messages.clear();
        const Outcome failed = visit->SaveTransaction();
        QVERIFY(!failed.ok);
        QCOMPARE(failed.notices.last().text, QStringLiteral("Save record error!\rRecord NOT save"));
        QCOMPARE(shop->t.messages.boxes.size(), 1);
        QVERIFY(visit->OrderLines()[0].OrderIdx.isEmpty());

        reading.reset();
        QVERIFY(reader.RollbackTransaction() && reader.CloseDatabase());
        QVERIFY(visit->SaveTransaction().ok);
        AcctAdjustRec adjust;
        adjust.AdjustID = QStringLiteral("000001");
        QVERIFY(InsertAcctAdjust(shop->db(), adjust));
        QVERIFY(shop->db().CloseDatabase() && shop->db().OpenDatabase());
        QCOMPARE(shop->rows("AcctAdjust", "AdjustID") + " | " + stored(),
                 "000001 | 1 1 1 0 | 000001 1; 000002 0; 000003 0; S00001 4; V00001 0");
        QCOMPARE(shop->t.messages.boxes.size(), 1);
    }

    // The second of two new rentals cannot be stored: the first goes back too.
    void secondRentalFailingRollsBackTheFirst() {
        QVERIFY(shop->t.exec("CREATE TRIGGER refuse_second BEFORE INSERT ON Order_Details "
                             "WHEN NEW.ItemID = '000002' BEGIN SELECT RAISE(ABORT, 'no'); END"));
        auto visit = shop->open("000123");
        QVERIFY(runCommand(*visit, "A", "000001", "01") && runCommand(*visit, "A", "000002", "01"));
        const QString before = stored();
        QVERIFY(!visit->SaveTransaction().ok);
        QCOMPARE(stored(), before);
        QVERIFY(visit->NewOrder());
        QCOMPARE(visit->OrderLines().size(), 2);
        QVERIFY(visit->OrderLines()[0].OrderIdx.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVisitSave)
#include "tst_visit_save.moc"
