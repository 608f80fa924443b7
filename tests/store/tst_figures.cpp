#include "Cases.h"
#include "TestDb.h"
#include "catalogue.h"
#include "customers.h"
#include "shoprows.h"
#include "stats.h"
#include "summaries.h"
#include "utility.h"

#include <QTest>

using namespace shoprows;

namespace {

// The pay types.
const QString Rent = QStringLiteral("0"), Late = QStringLiteral("1"), Renew = QStringLiteral("2");
const QDate Feb1(2004, 2, 1), Feb29(2004, 2, 29);

// Members (all joined 01/01/2004) and their visits, all outside February 2004. Member 000001:
// a line still out (2 units), a returned line renewed once with a late charge, a bad line, a
// late charge owed on the open line, and two purchases. Member 000002 has nothing; member
// 000003 one line of a status nobody writes. Copy A00001 carries 4 units of charges of every
// kind, A00003 none.
//
// February 2004 (a leap year) with rows just outside it on 31 January and 1 March; copies V1 in
// category V, D1 in D, G1 in G. L1 is returned on the last day (rent 2, a renewal of 1); L2
// with a late charge, which the return count leaves out; L4 after the period, its late charge
// paid inside it. Members C1 to C3 join on 29/02, 01/02 and 31/01.
// 2222-01-01 is how no date is stored; amounts are in ten-thousandths.
const char* const ShopRows[] = {
    "INSERT INTO Category (CategoryID, Description) VALUES ('D', 'DVD'), ('G', 'GAME')",
    "INSERT INTO Customers (CustomerID, Active, JoinDate) VALUES ('000001', 'Y', '2004-01-01'), "
    "('000002', 'Y', '2004-01-01'), ('000003', 'Y', '2004-01-01'), ('C1', 'Y', '2004-02-29'), "
    "('C2', 'Y', '2004-02-01'), ('C3', 'Y', '2004-01-31')",
    "INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES ('000001', 'T', 'V'), "
    "('P1', 'A', 'V'), ('P2', 'B', 'D'), ('P3', 'C', 'G')",
    "INSERT INTO Items (ItemID, ProductID, Status) VALUES ('A00001', '000001', '0'), "
    "('A00002', '000001', '0'), ('A00003', '000001', '0'), ('A00004', '000001', '0'), "
    "('V1', 'P1', '0'), ('D1', 'P2', '0'), ('G1', 'P3', '0')",
    "INSERT INTO Orders (OrderID, CustomerID) VALUES ('000010', '000001'), "
    "('000011', '000001'), ('000012', '000003')",
    "INSERT INTO Order_Details (OrderIdx, OrderID, ItemID, RentStatus, StartDate, ReturnDate) "
    "VALUES ('000100', '000010', 'A00001', '0', '2004-03-01 14:30:00', '2222-01-01'), "
    "('000101', '000010', 'A00002', '1', '2004-03-05 14:30:00', '2004-03-09'), "
    "('000102', '000011', 'A00001', '2', '2004-02-20 14:30:00', '2004-03-02'), "
    "('000103', '000012', 'A00004', '7', '2004-03-07 14:30:00', '2222-01-01'), "
    "('L1', 'O1', 'V1', '1', '2004-02-01 10:00:00', '2004-02-29'), "
    "('L2', 'O1', 'D1', '1', '2004-02-01 10:00:00', '2004-02-20'), "
    "('L3', 'O1', 'G1', '0', '2004-02-01 10:00:00', '2222-01-01'), "
    "('L4', 'O2', 'V1', '1', '2004-02-01 10:00:00', '2004-03-01'), "
    "('L5', 'O2', 'D1', '0', '2004-02-01 10:00:00', '2222-01-01'), "
    "('L6', 'O2', 'G1', '1', '2004-02-01 10:00:00', '2004-01-31'), "
    "('L7', 'O2', 'V1', '1', '2004-02-01 10:00:00', '2004-02-05')",
    "INSERT INTO Order_Payment (OrderIdx, OrderID, ItemID, PayType, Quantity, ChargeAmt, PayDate) "
    "VALUES ('000100', '000010', 'A00001', '0', 2, 150000, '2004-03-01'), "
    "('000100', '000010', 'A00001', '1', 1, 150000, '2222-01-01'), "
    "('000101', '000010', 'A00002', '0', 1, 150000, '2004-03-01'), "
    "('000101', '000010', 'A00002', '2', 1, 150000, '2004-03-01'), "
    "('000101', '000010', 'A00002', '1', 3, 150000, '2004-03-01'), "
    "('000102', '000011', 'A00001', '3', 1, 150000, '2004-03-01'), "
    "('000103', '000012', 'A00004', '0', 1, 150000, '2004-03-01'), "
    "('L1', 'O1', 'V1', '0', 2, 300000, '2004-02-29'), ('L1', 'O1', 'V1', '2', 1, 150000, "
    "'2004-02-10'), ('L2', 'O1', 'D1', '0', 3, 450000, '2004-02-01'), ('L2', 'O1', 'D1', '1', "
    "2, 200000, '2004-02-20'), ('L3', 'O1', 'G1', '0', 4, 12000000, '2004-02-15'), ('L4', "
    "'O2', 'V1', '0', 5, 750000, '2004-03-01'), ('L4', 'O2', 'V1', '1', 1, 50000, "
    "'2004-02-28'), ('L5', 'O2', 'D1', '0', 6, 900000, '2222-01-01'), ('L6', 'O2', 'G1', '2', "
    "1, 100000, '2004-01-31'), ('L7', 'O2', 'V1', '3', 1, 0, '2004-02-05')",
    "INSERT INTO Sales (SaleDate, RateID, CustomerID, Quantity, NetAmt) VALUES "
    "('2004-03-01', 'S00001', '000001', 2, 150000), ('2004-03-01', 'S00001', '000001', 5, "
    "150000), ('2004-03-01', 'S00001', '000002x', 9, 150000), ('2004-02-29', 'S00001', 'C1', 2, "
    "10005000), ('2004-02-01', 'S00001', 'C2', 1, 1000), ('2004-03-01', 'S00001', 'C2', 9, 90000)",
    "INSERT INTO AcctAdjust (AdjustID, AdjustAmt, AdjustDate) VALUES "
    "('A1', -200000, '2004-02-10'), ('A2', 75000, '2004-02-29'), ('A3', 10000000, '2004-03-01')",
};

bool arrangeShop(TestDb& t) {
    return inOne(t, [&] {
        bool ok = true;
        for (const char* sql : ShopRows)
            ok = ok && t.exec(QString::fromUtf8(sql));
        return ok;
    });
}

DailySummary period(const QDate& first, const QDate& last) {
    DailySummary s;
    s.RptDate = first;
    s.RptEndDate = last;
    s.RptMonthDate = QStringLiteral("02/2004");
    return s;
}

} // namespace

// What the visits add up to: a member's or a copy's figures, the ranking tables and the
// summary of a period.
class Test_figures : public QObject {
    Q_OBJECT

    // The shop, arranged once for the tests that only read it.
    TestDb m_shop;

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_shop.ok() && arrangeShop(m_shop)); }
    void init() { m_shop.messages.clear(); }

    // Each figure is added to the stored one (10 each); lines of an unknown status are left
    // out and said so.
    void refreshAddsToStoredFigures_data() {
        // rent good late bad buy, last rental, messages
        const Cases<QString, QString> add;
        add("every kind of line", "000001", "15 12 14 11 17 2004-03-05 ");
        add("member without visits", "000002", "10 10 10 10 10 2222-01-01 ");
        add("unknown line status", "000003",
            "10 10 10 10 10 2004-03-07 debug : Error in CustStat RentStatus!");
    }
    void refreshAddsToStoredFigures() {
        const auto [customerID, figures] = Cases<QString, QString>::fetch();
        CustomerRec rec;
        rec.CustomerID = customerID;
        rec.RentTimes = rec.GoodTimes = rec.LateTimes = rec.BadTimes = rec.BuyCount = 10;
        rec.LastRentDate = NoDate;
        QVERIFY(RefreshCustStats(m_shop.db(), rec));
        const QString counts =
            QString::asprintf("%lld %lld %lld %lld %lld ", rec.RentTimes, rec.GoodTimes,
                              rec.LateTimes, rec.BadTimes, rec.BuyCount);
        QCOMPARE(counts + rec.LastRentDate.toString(Qt::ISODate) + ' ' +
                     m_shop.messages.texts().join(""),
                 figures);
    }

    // Copies added by the program have no stored count: it reads as 0.
    void itemFigures_data() {
        const Cases<QString, QString> add; // rent count, last rental
        add("every charge counts", "A00001", "4 2004-03-01");
        add("renewed and late", "A00002", "5 2004-03-05");
        add("never rented", "A00003", "0 2222-01-01");
    }
    void itemFigures() {
        const auto [itemID, figures] = Cases<QString, QString>::fetch();
        QList<ItemRec> list(1);
        list[0].ItemID = itemID;
        QVERIFY(GetItems(m_shop.db(), list, false));
        QVERIFY(AddItemRentQty(m_shop.db(), list[0]) && GetItemLastRent(m_shop.db(), list[0]));
        QCOMPARE(QString::number(list[0].RentTimes) + ' ' +
                     list[0].LastRentDate.toString(Qt::ISODate),
                 figures);
    }

    // Each work table holds every customer or item once, however often it is rebuilt; a
    // failed rebuild keeps the old rows.
    void rebuilds_data() {
        const Cases<QString, QString> add;
        add("Cust_Temp", "Cust_Temp", "000001=9,000002=0,000003=1,C1=0,C2=0,C3=0");
        add("Item_Temp", "Item_Temp", "A00001=4,A00002=5,A00003=0,A00004=1,D1=11,G1=5,V1=10");
    }
    void rebuilds() {
        const auto [table, totals] = Cases<QString, QString>::fetch();
        TestDb t;
        QVERIFY(arrangeShop(t));
        const auto rebuild = table == "Cust_Temp" ? RebuildCustTemp : RebuildItemTemp;
        const QString read = QStringLiteral("SELECT %2 || '=' || TotalTimes FROM %1 ORDER BY %2")
                                 .arg(table, table == "Cust_Temp" ? "CustomerID" : "ItemID");
        for (int run = 0; run < 2; ++run) {
            QVERIFY(rebuild(t.db()));
            QCOMPARE(t.joined(read), totals);
        }
        QVERIFY(t.refuseInserts(table, "disk full") && !rebuild(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QCOMPARE(t.joined(read), totals);
    }
    // Every sum of the period, stored in every summary row there is, or in a new one.
    void periodIsSummedAndStored_data() {
        // After the period: the figures, in column order.
        const Cases<QDate, QDate, int, QString> add;
        const QString february = "2|7|1|1|0|3|4|3|1|2|0|2|12750000|150000|250000|10006000|-125000";
        add("every row overwritten", Feb1, Feb29, 3, february);
        add("nothing in June, row missing", QDate(2004, 6, 1), QDate(2004, 6, 30), 0,
            "0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
    }
    void periodIsSummedAndStored() {
        const auto [first, last, rowsBefore, stored] = Cases<QDate, QDate, int, QString>::fetch();
        TestDb& t = m_shop;
        QVERIFY(t.exec(QStringLiteral("DELETE FROM RptDailyTx")));
        for (int i = 0; i < rowsBefore; ++i)
            QVERIFY(t.exec(QStringLiteral("INSERT INTO RptDailyTx (RentAmt) VALUES (99)")));
        DailySummary s = period(first, last);
        Connection& db = t.db();
        // Every sum, in the order the daily summary runs them.
        QVERIFY(SumPayAmt(db, s, Rent) && SumPayAmt(db, s, Renew) && SumPayAmt(db, s, Late) &&
                SumSales(db, s) && SumPayQtyByCat(db, s, Rent) && SumPayQtyByCat(db, s, Renew) &&
                SumPayQty(db, s) && SumReturnQtyByCat(db, s) && SumOverdueQtyByCat(db, s) &&
                CountNewCust(db, s) && SumAdjustAmt(db, s) && UpdateRptDailyTx(db, s));
        QCOMPARE(t.row(QStringLiteral("SELECT * FROM RptDailyTx")),
                 first.toString(Qt::ISODate) + '|' + last.toString(Qt::ISODate) + "|02/2004|" +
                     stored);
        QCOMPARE(t.scalar("SELECT count(*) || ' ' || count(DISTINCT RentAmt) FROM RptDailyTx")
                     .toString(),
                 QString::number(qMax(rowsBefore, 1)) + " 1");
        QVERIFY(t.messages.boxes.isEmpty());
    }

    // A sum that fails keeps what the summary held; an unknown pay type is refused.
    void refusals() {
        TestDb t;
        DailySummary s = period(Feb1, Feb29);
        QVERIFY(!SumPayAmt(t.db(), s, QStringLiteral("3")));
        QVERIFY(!SumPayQtyByCat(t.db(), s, QStringLiteral("1")));
        QCOMPARE(t.messages.texts(),
                 QStringList({"debug: error in SumPayAmt!", "debug: error in SumPayQtyByCat!"}));
        QVERIFY(t.exec(QStringLiteral("DROP TABLE AcctAdjust")));
        s.AdjustAmt = Money::fromWhole(7);
        QVERIFY(!SumAdjustAmt(t.db(), s));
        QCOMPARE(s.AdjustAmt, Money::fromWhole(7));
        QCOMPARE(t.messages.boxes.size(), 3);
    }
};

QTEST_GUILESS_MAIN(Test_figures)
#include "tst_figures.moc"
