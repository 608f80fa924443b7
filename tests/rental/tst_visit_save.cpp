#include "ShopFixture.h"
#include "adjustments.h"

#include <QTest>

// What a saved visit leaves in the database.
class TestVisitSave : public QObject {
    Q_OBJECT

    std::unique_ptr<ShopFixture> shop;

    qint64 rows(const char* table) {
        return shop->count("SELECT count(*) FROM " + QLatin1String(table));
    }
    QString itemStatus(const char* itemID) {
        return shop->text("SELECT Status FROM Items WHERE ItemID = ?", {QLatin1String(itemID)});
    }
    void at(int day, int hour = 10) {
        shop->clock.set(QDateTime(QDate(2004, 3, day), QTime(hour, 0)));
    }

private Q_SLOTS:
    void init() {
        shop = std::make_unique<ShopFixture>();
        shop->addCounterShop();
        QVERIFY(shop->ok());
        at(1);
    }

    void rentOnNewOrder() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "02"}, {"F", "000002", "01"}}));
        QCOMPARE(rows("Orders"), qint64(1));
        QCOMPARE(shop->text("SELECT CustomerID || '/' || EmployeeID || '/' || OrderID FROM Orders"),
                 QStringLiteral("000123/13/000001"));
        QCOMPARE(shop->count("SELECT count(*) FROM Order_Details WHERE RentStatus = '0' "
                             "AND OrderID = '000001' AND ReturnDate = '2222-01-01'"),
                 qint64(2));
        QCOMPARE(shop->text("SELECT group_concat(PayType || ':' || ChargeAmt || ':' || "
                            "SettleDate || ':' || PayStatus, ' ') FROM (SELECT * FROM "
                            "Order_Payment ORDER BY ItemID)"),
                 QStringLiteral("0:300000:2004-03-01:Y 3:0:2004-03-01:Y"));
        QCOMPARE(shop->text("SELECT EndDate FROM Order_Details WHERE ItemID = '000001'"),
                 QStringLiteral("2004-03-07"));
        QCOMPARE(itemStatus("000001"), QStringLiteral("1"));
        QCOMPARE(shop->count("SELECT OrderID FROM SerialNo"), qint64(2));
        QCOMPARE(shop->count("SELECT OrderIdx FROM SerialNo"), qint64(3));
    }

    void returnOfAnOverdueLine() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "01"}}));
        at(9); // due 4 March: five days late
        QVERIFY(shop->visit("000123", {{"R", "000001"}}));
        QCOMPARE(shop->text("SELECT RentStatus || ' ' || ReturnDate FROM Order_Details"),
                 QStringLiteral("1 2004-03-09"));
        QCOMPARE(shop->text("SELECT Quantity || ' ' || ChargeAmt || ' ' || RenewIndex || ' ' || "
                            "PayStatus || ' ' || PayDate FROM Order_Payment WHERE PayType = '1'"),
                 QStringLiteral("5 250000 0 Y 2004-03-09"));
        QCOMPARE(shop->count("SELECT count(*) FROM Order_Payment WHERE SettleDate = '2004-03-09'"),
                 qint64(1));
        QCOMPARE(itemStatus("000001"), QStringLiteral("0"));
    }

    void returnOnTheDueDayHasNoLateRow() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "01"}}));
        at(4, 20);
        QVERIFY(shop->visit("000123", {{"R", "000001"}}));
        QCOMPARE(rows("Order_Payment"), qint64(1));
        QCOMPARE(itemStatus("000001"), QStringLiteral("0"));
    }

    void saleOnlyWritesNoOrder() {
        QVERIFY(shop->visit("000123", {{"S", "S00001", "07"}}));
        QCOMPARE(rows("Orders"), qint64(0));
        QCOMPARE(rows("Order_Details"), qint64(0));
        QCOMPARE(
            shop->text(
                "SELECT RateID || ' ' || coalesce(ItemID, '') || ' ' || Quantity || ' ' || "
                "NetAmt || ' ' || GrossAmt || ' ' || SaleDate || ' ' || CustomerID FROM Sales"),
            QStringLiteral("S00001  7 600000 600000 2004-03-01 000123"));
        QCOMPARE(itemStatus("S00001"), QStringLiteral("4"));
    }

    void rentalAddedAndDeletedWritesNothing() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "01"}, {"D", "000001"}}));
        QCOMPARE(rows("Orders") + rows("Order_Details") + rows("Order_Payment") + rows("Sales"),
                 qint64(0));
        QCOMPARE(itemStatus("000001"), QStringLiteral("0"));
    }

    void unchangedExistingOrderOnlyStampsTheOrder() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "01"}}));
        QVERIFY(shop->t.exec("UPDATE Orders SET EmployeeID = '7'"));
        at(2);
        QVERIFY(shop->visit("000123", {}));
        QCOMPARE(shop->text("SELECT ModDate || ' ' || EmployeeID || ' ' || InDate FROM Orders"),
                 QStringLiteral("2004-03-02 10:00:00 13 2004-03-01 10:00:00"));
        QCOMPARE(rows("Order_Payment"), qint64(1));
        QCOMPARE(shop->text("SELECT ModDate FROM Order_Details"),
                 QStringLiteral("2004-03-01 10:00:00"));
    }

    void renewals_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("payStatus");
        QTest::addColumn<QString>("payDate");
        QTest::newRow("cash") << QString("RR") << QString("Y") << QString("2004-03-06");
        QTest::newRow("arrears") << QString("RR*") << QString("N") << QString("2222-01-01");
    }
    void renewals() {
        QFETCH(QString, code);
        QFETCH(QString, payStatus);
        QFETCH(QString, payDate);
        QVERIFY(shop->visit("000123", {{"A", "000001", "01"}}));
        at(6); // due 4 March: two days late
        QVERIFY(shop->visit("000123", {{code, "000001", "01"}}));
        // The late row carries the period that ended, the renewal row the new one.
        QCOMPARE(
            shop->text(
                "SELECT group_concat(PayType || ':' || RenewIndex || ':' || ChargeAmt || ':' || "
                "SettleDate || ':' || PayStatus || ':' || PayDate || ':' || EndDate, ' ') "
                "FROM (SELECT * FROM Order_Payment WHERE PayType <> '0' ORDER BY PayType)"),
            QStringLiteral(
                "1:0:100000:2004-03-06:%1:%2:2004-03-09 2:1:150000:2004-03-06:%1:%2:2004-03-09")
                .arg(payStatus, payDate));
        QCOMPARE(shop->text(
                     "SELECT StartDate || ' ' || EndDate || ' ' || RentStatus FROM Order_Details"),
                 QStringLiteral("2004-03-06 10:00:00 2004-03-09 0"));
        QCOMPARE(itemStatus("000001"), QStringLiteral("1"));
    }

    void arrearsShowOnTheNextVisit() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "01"}}));
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
        QCOMPARE(shop->count("SELECT count(*) FROM Order_Payment WHERE PayStatus = 'N'"),
                 qint64(0));
    }

    // A failed save is rolled back and leaves the visit as it was, so saving again after the
    // cause is gone writes every row exactly once.
    void failedSaveCanBeRepeated() {
        QVERIFY(shop->visit("000123", {{"A", "000001", "01"}}));
        at(9);
        QVERIFY(shop->t.exec("CREATE TRIGGER refuse_sales BEFORE INSERT ON Sales "
                             "BEGIN SELECT RAISE(ABORT, 'till closed'); END"));
        auto visit = shop->open("000123");
        QVERIFY(runCommand(*visit, "R", "000001"));
        QVERIFY(runCommand(*visit, "A", "000002", "01"));
        QVERIFY(runCommand(*visit, "S", "S00001", "01"));
        const Money total = visit->UpdateTotals().total();

        shop->t.messages.clear();
        const Outcome failed = visit->SaveTransaction();
        QVERIFY(!failed.ok);
        QCOMPARE(failed.notices.last().text, QStringLiteral("Save record error!\rRecord NOT save"));
        QCOMPARE(shop->t.messages.boxes.size(), 1); // the database's own error report
        QCOMPARE(rows("Order_Payment"), qint64(1));
        QCOMPARE(rows("Order_Details"), qint64(1));
        QCOMPARE(itemStatus("000001"), QStringLiteral("1"));
        QCOMPARE(shop->count("SELECT OrderIdx FROM SerialNo"), qint64(2));
        QCOMPARE(visit->UpdateTotals().total(), total);
        QVERIFY(visit->OrderLines()[0].payments.size() == 1);

        QVERIFY(shop->t.exec("DROP TRIGGER refuse_sales"));
        QVERIFY(visit->SaveTransaction().ok);
        QCOMPARE(shop->count("SELECT count(*) FROM Order_Payment WHERE PayType = '1'"), qint64(1));
        QCOMPARE(rows("Order_Payment"), qint64(3));
        QCOMPARE(rows("Order_Details"), qint64(2));
        QCOMPARE(rows("Sales"), qint64(1));
        QCOMPARE(itemStatus("000001"), QStringLiteral("0"));
        QCOMPARE(itemStatus("000002"), QStringLiteral("1"));
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
        QCOMPARE(rows("Orders") + rows("Order_Details") + rows("AcctAdjust"), qint64(3));
        QCOMPARE(itemStatus("000001"), QStringLiteral("1"));
        QCOMPARE(shop->t.messages.boxes.size(), 1);
    }

    // The second of two new rentals cannot be stored: the first goes back too.
    void secondRentalFailingRollsBackTheFirst() {
        QVERIFY(shop->t.exec("CREATE TRIGGER refuse_second BEFORE INSERT ON Order_Details "
                             "WHEN NEW.ItemID = '000002' BEGIN SELECT RAISE(ABORT, 'no'); END"));
        auto visit = shop->open("000123");
        QVERIFY(runCommand(*visit, "A", "000001", "01"));
        QVERIFY(runCommand(*visit, "A", "000002", "01"));
        QVERIFY(!visit->SaveTransaction().ok);
        QCOMPARE(rows("Orders") + rows("Order_Details") + rows("Order_Payment"), qint64(0));
        QCOMPARE(itemStatus("000001"), QStringLiteral("0"));
        QVERIFY(visit->NewOrder());
        QCOMPARE(visit->OrderLines().size(), 2);
        QVERIFY(visit->OrderLines()[0].OrderIdx.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVisitSave)
#include "tst_visit_save.moc"
