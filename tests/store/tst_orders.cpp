#include "TestDb.h"
#include "customers.h"
#include "orders.h"
#include "utility.h"

#include <QTest>

namespace {

const QDate Today(2004, 3, 10);
const QDateTime Now(Today, QTime(18, 40));

Money amount(const char* text) {
    return *Money::parse(QString::fromLatin1(text));
}

// Category D charges 5 a day late; items 000101-000103 are copies of one title.
bool addCatalogue(TestDb& t) {
    return t.exec("INSERT INTO Category (CategoryID, Description, RentUnitRate, RentUnitDays, "
                  "OverDueRate) VALUES ('D', 'DVD', 150000, 3, 50000)") &&
           t.exec("INSERT INTO Products (ProductID, ProductName, CategoryID) "
                  "VALUES ('000001', 'LOVE STORY', 'D')") &&
           t.exec("INSERT INTO Items (ItemID, ProductID, Status) VALUES ('000101', '000001', '1'), "
                  "('000102', '000001', '1'), ('000103', '000001', '0')");
}

OrderRec order(const QString& orderID, const QString& customerID) {
    return {Now.addDays(-9), Now.addDays(-9), orderID, customerID, "13", "", ""};
}

OrderLine line(const QString& idx, const QString& orderID, const QString& item, QDate due,
               const QString& status = RentStatusCode::Out) {
    OrderLine l;
    l.InDate = l.ModDate = l.InitDate = l.StartDate = QDateTime(due.addDays(-3), QTime(10, 0));
    l.OrderIdx = idx;
    l.OrderID = orderID;
    l.ItemID = item;
    l.RentStatus = status;
    l.EndDate = due;
    l.ReturnDate = status == RentStatusCode::Out ? NoDate : due;
    return l;
}

PaymentRec charge(const OrderLine& l, Money amt, const QString& payStatus, qint64 renewIndex = 0,
                  const QString& payType = PayTypeCode::Rent) {
    const QDate paid = payStatus == PayStatusCode::Paid ? l.EndDate.addDays(-3) : NoDate;
    return {l.InDate,  l.ModDate, l.OrderIdx, l.OrderID, l.ItemID, renewIndex,
            payType,   amt,       1,          0.25,      amt,      l.StartDate,
            l.EndDate, paid,      payStatus,  paid,      "R'1",    false};
}

QVariantList fields(const PaymentRec& p) {
    return {p.InDate,    p.ModDate,    p.OrderIdx,          p.OrderID,
            p.ItemID,    p.RenewIndex, p.PayType,           p.UnitRate.units(),
            p.Quantity,  p.Discount,   p.ChargeAmt.units(), p.StartDate,
            p.EndDate,   p.SettleDate, p.PayStatus,         p.PayDate,
            p.ReceiptNum};
}

// Stores the line with one unpaid charge per amount.
bool store(TestDb& t, const OrderLine& l, const QList<Money>& unpaid = {amount("15")}) {
    bool ok = InsertOrderDetail(t.db(), l);
    for (Money m : unpaid)
        ok = ok && InsertPayment(t.db(), charge(l, m, PayStatusCode::Unpaid));
    return ok;
}

} // namespace

class Test_orders : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The open order of a member or of a copy out; any line at all; an invalid type is refused.
    void findOrders_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("openOrder");
        QTest::addColumn<bool>("anyLine");
        QTest::newRow("member with an open line") << 0 << "1001" << QString("000001") << true;
        QTest::newRow("member with all returned") << 0 << "1002" << QString() << true;
        QTest::newRow("item out") << 1 << "000101" << QString("000001") << true;
        QTest::newRow("item returned") << 1 << "000102" << QString() << true;
        QTest::newRow("unknown member") << 0 << "9999" << QString() << false;
        QTest::newRow("invalid type") << 2 << "9999" << QString() << false;
    }
    void findOrders() {
        QFETCH(int, type);
        QFETCH(QString, key);
        QFETCH(QString, openOrder);
        QFETCH(bool, anyLine);
        TestDb t;
        QVERIFY(InsertOrder(t.db(), order("000001", "1001")) &&
                InsertOrder(t.db(), order("000002", "1002")));
        QVERIFY(store(t, line("000011", "000001", "000101", Today)));
        QVERIFY(store(t, line("000012", "000002", "000102", Today, RentStatusCode::Returned)));
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

    void lateAmount_data() {
        QTest::addColumn<int>("dueInDays");
        QTest::addColumn<qint64>("late");
        QTest::newRow("due tomorrow") << 1 << qint64(0);
        QTest::newRow("due today") << 0 << qint64(0);
        QTest::newRow("due yesterday") << -1 << qint64(5);
        QTest::newRow("due ten days ago") << -10 << qint64(50);
    }
    void lateAmount() {
        QFETCH(int, dueInDays);
        QFETCH(qint64, late);
        TestDb t;
        QVERIFY(addCatalogue(t) && InsertOrder(t.db(), order("000001", "1001")));
        QVERIFY(store(t, line("000011", "000001", "000101", Today.addDays(dueInDays))));
        OrderRec read;
        QList<OrderLine> lines;
        QVERIFY(LoadOrder(t.db(), "000001", Today, read, lines));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].LateAmt, Money::fromWhole(late));
        QCOMPARE(lines[0].item.OverDueRate, Money::fromWhole(5));
    }

    void unpaidSum_data() {
        QTest::addColumn<QList<Money>>("unpaid");
        QTest::addColumn<Money>("expected");
        QTest::newRow("3.333 and 1")
            << QList<Money>{amount("3.333"), amount("1")} << amount("4.33");
        QTest::newRow("half a cent rounds up") << QList<Money>{amount("0.005")} << amount("0.01");
        QList<Money> dimes(1000, amount("0.10"));
        QTest::newRow("a thousand dimes") << dimes << Money::fromWhole(100);
    }
    void unpaidSum() {
        QFETCH(QList<Money>, unpaid);
        QFETCH(Money, expected);
        TestDb t;
        OrderLine l = line("000011", "000001", "000101", Today);
        TransactionGuard rows(t.db());
        QVERIFY(store(t, l, unpaid));
        QVERIFY(InsertPayment(t.db(), charge(l, amount("99"), PayStatusCode::Paid)));
        QVERIFY(rows.commit());
        l.OSAmt = amount("1234");
        QVERIFY(SumUnpaidCharges(t.db(), l));
        QCOMPARE(l.OSAmt, expected);
    }

    void loadOrderReadsOpenLinesComplete() {
        TestDb t;
        QVERIFY(addCatalogue(t) && InsertOrder(t.db(), order("000001", "1001")));
        const OrderLine later = line("000011", "000001", "000101", Today.addDays(2));
        QVERIFY(store(t, later, {}));
        const PaymentRec renewal = charge(later, amount("3.333"), "N", 1, PayTypeCode::Renewal);
        const PaymentRec late = charge(later, amount("5"), "Y", 0, PayTypeCode::LateCharge);
        const PaymentRec first = charge(later, amount("15"), "Y", 0, PayTypeCode::Rent);
        for (const PaymentRec& p : {renewal, late, first})
            QVERIFY(InsertPayment(t.db(), p));
        QVERIFY(store(t, line("000012", "000001", "000102", Today.addDays(-1))));
        QVERIFY(store(t, line("000013", "000001", "000103", Today, RentStatusCode::Returned)));

        OrderRec read;
        QList<OrderLine> lines;
        QVERIFY(LoadOrder(t.db(), "000001", Today, read, lines));
        QCOMPARE(read.CustomerID, QString("1001"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].ItemID, QString("000102"));
        const OrderLine& l = lines[1];
        QCOMPARE(l.payments.size(), 3);
        QCOMPARE(fields(l.payments[0]), fields(first));
        QCOMPARE(fields(l.payments[1]), fields(late));
        QCOMPARE(fields(l.payments[2]), fields(renewal));
        QCOMPARE(l.LastRenewIndex, qint64(1));
        QCOMPARE(l.OSAmt, amount("3.33"));
        QCOMPARE(l.item.ProductName, QString("LOVE STORY"));
        QVERIFY(!l.IsNewRent && !l.IsReturned && !l.IsPaidNow);
        QCOMPARE(t.messages.boxes.size(), 0);
    }

    void paymentRowLimit_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("none") << 0 << 0 << QStringList{"debug: Error in getting payment record!"};
        QTest::newRow("thirty") << 30 << 30 << QStringList{};
        QTest::newRow("thirty-one")
            << 31 << 30 << QStringList{"debug: Order_Payment Array out of bound!"};
    }
    void paymentRowLimit() {
        QFETCH(int, stored);
        QFETCH(int, loaded);
        QFETCH(QStringList, messages);
        TestDb t;
        OrderLine l = line("000011", "000001", "000101", Today);
        TransactionGuard rows(t.db());
        for (int i = 0; i < stored; ++i)
            QVERIFY(InsertPayment(t.db(), charge(l, amount("1"), "N", i)));
        QVERIFY(rows.commit());
        l.LastRenewIndex = 99;
        QCOMPARE(LoadPayments(t.db(), l), stored > 0);
        QCOMPARE(l.payments.size(), loaded);
        QCOMPARE(l.LastRenewIndex, qint64(qMax(loaded - 1, 0)));
        QCOMPARE(t.messages.texts(), messages);
    }

    void loadFailures() {
        TestDb t;
        QVERIFY(addCatalogue(t) && InsertOrder(t.db(), order("000001", "1001")));
        OrderRec read;
        QList<OrderLine> lines;
        QVERIFY(!LoadOrder(t.db(), "000001", Today, read, lines));
        QVERIFY(store(t, line("000011", "000001", "000101", Today)));
        QVERIFY(store(t, line("000012", "000001", "X99999", Today.addDays(1))));
        QVERIFY(LoadOrderLines(t.db(), "000001", 1, Today, lines));
        QCOMPARE(lines.size(), 1);
        QVERIFY(!LoadOrder(t.db(), "000001", Today, read, lines));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(t.messages.texts(), QStringList({"debug: array out of bound!",
                                                  "debug: error in getting OverDueRate!"}));
    }

    void updateOrderDetailOnlyWhileOpen_data() {
        QTest::addColumn<QString>("storedStatus");
        QTest::addColumn<QString>("returnDate");
        QTest::newRow("open line is updated") << RentStatusCode::Out << "2004-03-15";
        QTest::newRow("closed line is left alone") << RentStatusCode::Returned << "2004-03-10";
    }
    void updateOrderDetailOnlyWhileOpen() {
        QFETCH(QString, storedStatus);
        QFETCH(QString, returnDate);
        TestDb t;
        OrderLine l = line("000011", "000001", "000101", Today, storedStatus);
        QVERIFY(InsertOrderDetail(t.db(), l));
        l.RentStatus = RentStatusCode::Returned;
        l.ReturnDate = Today.addDays(5);
        QVERIFY(UpdateOrderDetail(t.db(), l));
        QCOMPARE(t.scalar("SELECT ReturnDate FROM Order_Details").toString(), returnDate);
    }

    void settleAndPayTouchOnlyOpenChargesOfTheLine() {
        TestDb t;
        const OrderLine a = line("000011", "000001", "000101", Today);
        const OrderLine b = line("000012", "000001", "000102", Today);
        QVERIFY(store(t, a, {amount("1")}) && store(t, b, {amount("1")}));
        QVERIFY(InsertPayment(t.db(), charge(a, amount("2"), "Y", 1)));
        PaymentRec arrears = charge(a, amount("3"), "N", 2);
        arrears.SettleDate = Today.addDays(-2);
        QVERIFY(InsertPayment(t.db(), arrears));

        PaymentRec stamp;
        stamp.ModDate = Now;
        stamp.OrderIdx = a.OrderIdx;
        stamp.SettleDate = stamp.PayDate = Today;
        stamp.PayStatus = "N";
        QVERIFY(SettlePayments(t.db(), stamp) && PayPayments(t.db(), stamp));
        const auto rows = [&](const OrderLine& l) {
            OrderLine read = l;
            LoadPayments(t.db(), read);
            QStringList out;
            for (const PaymentRec& p : read.payments)
                out << p.SettleDate.toString("MM-dd") + " " + p.PayStatus + " " +
                           p.PayDate.toString("MM-dd") + (p.ModDate == Now ? " stamped" : "");
            return out;
        };
        QCOMPARE(rows(a),
                 QStringList({"03-10 Y 03-10 stamped", "03-07 Y 03-07", "03-08 Y 03-10 stamped"}));
        QCOMPARE(rows(b), QStringList({"01-01 N 01-01"}));
    }
};

QTEST_GUILESS_MAIN(Test_orders)
#include "tst_orders.moc"
