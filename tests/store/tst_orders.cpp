#include "Cases.h"
#include "TestDb.h"
#include "customers.h"
#include "orders.h"
#include "shoprows.h"
#include "utility.h"

#include <QTest>

namespace {

const QDate Today(2004, 3, 10);

// Category D charges 5 a day late. Order 000001 of member 1001 has copy 000101 out, due in two
// days, with three charges (its row, and that of its first charge, fill every column); copy
// 000102 out, due yesterday, owing 15.005; copy 000103 returned. Order 000002 of member 1002
// has only a returned line; order 000003 has a copy out that is not on file.
bool arrangeOrders(TestDb& t) {
    const QString stamps = QStringLiteral("2004-03-01 09:00:00|2004-03-02 09:00:00|");
    return shoprows::inOne(t, [&] {
        return t.exec("INSERT INTO Category (CategoryID, OverDueRate) VALUES ('D', 50000)") &&
               t.exec("INSERT INTO Products (ProductID, ProductName, CategoryID) "
                      "VALUES ('000001', 'LOVE STORY', 'D')") &&
               t.exec("INSERT INTO Items (ItemID, ProductID) VALUES ('000101', '000001'), "
                      "('000102', '000001'), ('000103', '000001')") &&
               t.insertRow("Orders", stamps + "000001|1001|13|REM|TREM") &&
               t.exec("INSERT INTO Orders (OrderID, CustomerID) VALUES ('000002', '1002'), "
                      "('000003', '1003')") &&
               t.insertRow("Order_Details", stamps + "000011|000001|000101|0|2004-03-01 "
                                                     "10:00:00|2004-03-09 10:00:00|2004-03-12|") &&
               t.exec("INSERT INTO Order_Details (OrderIdx, OrderID, ItemID, RentStatus, EndDate) "
                      "VALUES ('000012', '000001', '000102', '0', '2004-03-09'), "
                      "('000013', '000001', '000103', '1', '2004-03-10'), "
                      "('000014', '000002', '000103', '1', '2004-03-10'), "
                      "('000015', '000003', 'X99999', '0', '2004-03-10')") &&
               t.insertRow("Order_Payment", stamps + "000011|000001|000101|0|0|50000|3|0.25|150000|"
                                                     "2004-03-09 10:00:00|2004-03-12|2004-03-09|"
                                                     "Y|2004-03-09|R1") &&
               t.exec("INSERT INTO Order_Payment (OrderIdx, StartDate, RenewIndex, PayType, "
                      "ChargeAmt, PayStatus) VALUES "
                      "('000011', '2004-03-09 10:00:00', 1, '2', 33330, 'N'), "
                      "('000011', '2004-03-09 10:00:00', 0, '1', 50000, 'Y'), "
                      "('000012', NULL, 0, '0', 150000, 'N'), ('000012', NULL, 0, '0', 50, 'N'), "
                      "('000015', NULL, 0, '0', 1, 'N')");
    });
}

} // namespace

class Test_orders : public QObject {
    Q_OBJECT

    // The orders, arranged once for the tests that only read them.
    TestDb m_shop;

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_shop.ok() && arrangeOrders(m_shop)); }
    void init() { m_shop.messages.clear(); }

    // The open order of a member or of a copy out; any line at all; an invalid type is refused.
    void findOrders_data() {
        const Cases<int, QString, QString, bool> add;
        add("member with an open line", 0, "1001", "000001", true);
        add("member with all returned", 0, "1002", "", true);
        add("item out", 1, "000101", "000001", true);
        add("unknown member", 0, "9999", "", false);
        add("invalid type", 2, "9999", "", false);
    }
    void findOrders() {
        const auto [type, key, openOrder, anyLine] = Cases<int, QString, QString, bool>::fetch();
        TestDb& t = m_shop;
        QString orderID = "stale", customerID;
        QCOMPARE(FindOrderID(t.db(), OrderFindBy(type), key, orderID, customerID),
                 !openOrder.isEmpty());
        QCOMPARE(orderID + customerID, openOrder.isEmpty() ? "" : openOrder + "1001");
        QCOMPARE(FindRecordInOrder(t.db(), OrderFindBy(type), key), anyLine);
        CustomerRec member;
        member.CustomerID = key;
        QCOMPARE(CountOrdersOfCustomer(t.db(), member), type == 0 && anyLine);
        const QStringList refusals = {"Debug: Error find type in FindOrderID()!",
                                      "Debug: Error find type in FindRecordInOrder()!"};
        QCOMPARE(t.messages.texts(), type != 2 ? QStringList() : refusals);
    }

    // Open lines earliest due first, each with its charges in order, the unpaid sum to the
    // cent, the copy's rates and the late charge due today. No open line, or a copy without
    // rates (after a message), fails the load; no more lines are read than expected.
    void loadOrder() {
        Connection& db = m_shop.db();
        OrderRec read;
        QList<OrderLine> lines;
        QVERIFY(LoadOrder(db, "000001", Today, read, lines));
        QStringList got = {read.CustomerID};
        for (const OrderLine& l : lines) {
            got << l.ItemID << l.OSAmt.format() << l.LateAmt.format() << l.item.ProductName
                << QString::number(l.LastRenewIndex);
            for (const PaymentRec& charge : l.payments)
                got << "pay " + charge.PayType;
            QVERIFY(!l.IsNewRent && !l.IsReturned && !l.IsPaidNow);
        }
        QCOMPARE(got.join(' '), "1001 000102 15.01 5.00 LOVE STORY 0 pay 0 pay 0 "
                                "000101 3.33 0.00 LOVE STORY 1 pay 0 pay 1 pay 2");
        QVERIFY(m_shop.messages.boxes.isEmpty() && !LoadOrder(db, "000002", Today, read, lines));
        QVERIFY(LoadOrderLines(db, "000001", 1, Today, lines) && lines.size() == 1);
        QVERIFY(!LoadOrder(db, "000003", Today, read, lines));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(m_shop.messages.texts(), QStringList({"debug: array out of bound!",
                                                       "debug: error in getting OverDueRate!"}));
        // The order, its lines with their rates, and their charges, however many lines.
        int statements = 0;
        db.setTrace([&statements](const QString&, const QVariantList&) { ++statements; });
        QVERIFY(LoadOrder(db, "000001", Today, read, lines) && lines.size() == 2);
        db.setTrace({});
        QCOMPARE(statements, 3);
    }

    // An order, a line and a charge read and stored again, in a file of their own, are stored
    // as they were.
    void recordsRoundTrip() {
        OrderRec order;
        QList<OrderLine> lines;
        QVERIFY(LoadOrder(m_shop.db(), "000001", Today, order, lines));
        TestDb t;
        QVERIFY(InsertOrder(t.db(), order) && InsertOrderDetail(t.db(), lines[1]) &&
                InsertPayment(t.db(), lines[1].payments[0]));
        for (const char* table : {"Orders", "Order_Details", "Order_Payment"}) {
            const QString read =
                QStringLiteral("SELECT * FROM %1 ORDER BY InDate DESC NULLS LAST").arg(table);
            QCOMPARE(t.row(read), m_shop.row(read));
        }
    }

    void paymentRowLimit_data() {
        const Cases<int, int, QStringList> add;
        add("none", 0, 0, {"debug: Error in getting payment record!"});
        add("thirty", 30, 30, {});
        add("thirty-one", 31, 30, {"debug: Order_Payment Array out of bound!"});
    }
    void paymentRowLimit() {
        const auto [stored, loaded, messages] = Cases<int, int, QStringList>::fetch();
        TestDb t;
        QVERIFY(
            t.exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                   "INSERT INTO Order_Payment (OrderIdx, RenewIndex) "
                   "SELECT '000011', i FROM n WHERE i < ?",
                   {stored}));
        OrderLine l;
        l.OrderIdx = QStringLiteral("000011");
        l.LastRenewIndex = 99;
        QCOMPARE(LoadPayments(t.db(), l), stored > 0);
        QCOMPARE(l.payments.size(), loaded);
        QCOMPARE(l.LastRenewIndex, qint64(qMax(loaded - 1, 0)));
        QCOMPARE(t.messages.texts(), messages);
    }

    // A returned line is closed: its row is left alone. Settling stamps only the unsettled
    // charges of the line, paying only its unpaid ones.
    void writesTouchOnlyOpenRows() {
        TestDb t;
        QVERIFY(t.exec("INSERT INTO Order_Details (OrderIdx, RentStatus, ReturnDate) VALUES "
                       "('000010', '0', '2004-03-10'), ('000011', '1', '2004-03-10')"));
        OrderLine l;
        l.RentStatus = RentStatusCode::Returned;
        l.ReturnDate = Today.addDays(5);
        for (const char* orderIdx : {"000010", "000011"}) {
            l.OrderIdx = QString::fromLatin1(orderIdx);
            QVERIFY(UpdateOrderDetail(t.db(), l));
        }
        QCOMPARE(t.joined("SELECT ReturnDate FROM Order_Details ORDER BY OrderIdx"),
                 "2004-03-15,2004-03-10");
        // 2222-01-01 is how NoDate is stored.
        QVERIFY(t.exec("INSERT INTO Order_Payment (OrderIdx, RenewIndex, SettleDate, PayStatus, "
                       "PayDate) VALUES ('000011', 0, '2222-01-01', 'N', '2222-01-01'), "
                       "('000012', 0, '2222-01-01', 'N', '2222-01-01'), "
                       "('000011', 1, '2004-03-07', 'Y', '2004-03-07')"));
        PaymentRec stamp;
        stamp.ModDate = QDateTime(Today, QTime(18, 40));
        stamp.OrderIdx = QStringLiteral("000011");
        stamp.SettleDate = stamp.PayDate = Today;
        stamp.PayStatus = PayStatusCode::Unpaid;
        QVERIFY(SettlePayments(t.db(), stamp) && PayPayments(t.db(), stamp));
        QCOMPARE(t.joined("SELECT OrderIdx || ' ' || RenewIndex || ' ' || SettleDate || ' ' || "
                          "PayStatus || ' ' || PayDate || ' ' || coalesce(ModDate, '-') "
                          "FROM Order_Payment ORDER BY OrderIdx, RenewIndex",
                          ", "),
                 "000011 0 2004-03-10 Y 2004-03-10 2004-03-10 18:40:00, "
                 "000011 1 2004-03-07 Y 2004-03-07 -, 000012 0 2222-01-01 N 2222-01-01 -");
    }
};

QTEST_GUILESS_MAIN(Test_orders)
#include "tst_orders.moc"
