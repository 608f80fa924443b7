#include "Cases.h"
#include "TestDb.h"
#include "catalogue.h"
#include "customers.h"
#include "shoprows.h"
#include "stats.h"
#include "summaries.h"
#include "utility.h"

#include <QTest>

#include <memory>

using namespace shoprows;

namespace {

const QDate Owed = NoDate;
// The pay types.
const QString Rent = QStringLiteral("0"), Late = QStringLiteral("1");
const QString Renew = QStringLiteral("2"), Free = QStringLiteral("3");
QDate feb(int day) {
    return QDate(2004, 2, day);
}

QDateTime at(int month, int day) {
    return QDateTime(QDate(2004, month, day), QTime(14, 30));
}

// Member 000001: a line still out (2 units), a returned line renewed once with a late charge,
// a bad line, a late charge owed on the open line, and two purchases. Member 000002 has
// nothing; member 000003 one line of a status nobody writes. Copy A00001 carries 4 units of
// charges of every kind, A00003 none.
bool arrangeMembers(TestDb& t) {
    const QVariant amt = money("15.00");
    const QDate day(2004, 3, 1);
    return inOne(t, [&] {
        return customer(t, "000001") && customer(t, "000002") && customer(t, "000003") &&
               product(t, "000001", "T") && item(t, "A00001", "000001") &&
               item(t, "A00002", "000001") && item(t, "A00003", "000001") &&
               item(t, "A00004", "000001") && order(t, "000010", "000001") &&
               order(t, "000011", "000001") && order(t, "000012", "000003") &&
               line(t, "000100", "000010", "A00001", "0", at(3, 1), Owed) &&
               charge(t, "000100", "000010", "A00001", Rent, 2, amt, day) &&
               charge(t, "000100", "000010", "A00001", Late, 1, amt, Owed) &&
               line(t, "000101", "000010", "A00002", "1", at(3, 5), QDate(2004, 3, 9)) &&
               charge(t, "000101", "000010", "A00002", Rent, 1, amt, day) &&
               charge(t, "000101", "000010", "A00002", Renew, 1, amt, day) &&
               charge(t, "000101", "000010", "A00002", Late, 3, amt, day) &&
               line(t, "000102", "000011", "A00001", "2", at(2, 20), QDate(2004, 3, 2)) &&
               charge(t, "000102", "000011", "A00001", Free, 1, amt, day) &&
               line(t, "000103", "000012", "A00004", "7", at(3, 7), Owed) &&
               charge(t, "000103", "000012", "A00004", Rent, 1, amt, day) &&
               sale(t, day, "000001", 2, amt) && sale(t, day, "000001", 5, amt) &&
               sale(t, day, "000002x", 9, amt);
    });
}

// February 2004 (a leap year) with rows just outside it on 31 January and 1 March.
// Copies: V1 in category "V", D1 in "D", G1 in "G".
bool arrangeFebruary(TestDb& t) {
    const QDate jan31(2004, 1, 31), mar1(2004, 3, 1);
    const QDateTime start(feb(1), QTime(10, 0));
    return inOne(t, [&] {
        return category(t, "D", "DVD") && category(t, "G", "GAME") && product(t, "P1", "A", "V") &&
               product(t, "P2", "B", "D") && product(t, "P3", "C", "G") && item(t, "V1", "P1") &&
               item(t, "D1", "P2") && item(t, "G1", "P3") &&
               // Returned on the last day: rent 2 and a renewal of 1.
               line(t, "L1", "O1", "V1", "1", start, feb(29)) &&
               charge(t, "L1", "O1", "V1", Rent, 2, money("30.00"), feb(29)) &&
               charge(t, "L1", "O1", "V1", Renew, 1, money("15.00"), feb(10)) &&
               // Returned with a late charge, which the return count leaves out.
               line(t, "L2", "O1", "D1", "1", start, feb(20)) &&
               charge(t, "L2", "O1", "D1", Rent, 3, money("45.00"), feb(1)) &&
               charge(t, "L2", "O1", "D1", Late, 2, money("20.00"), feb(20)) &&
               line(t, "L3", "O1", "G1", "0", start, Owed) &&
               charge(t, "L3", "O1", "G1", Rent, 4, money("1,200.00"), feb(15)) &&
               // Returned after the period; its late charge was paid inside it.
               line(t, "L4", "O2", "V1", "1", start, mar1) &&
               charge(t, "L4", "O2", "V1", Rent, 5, money("75.00"), mar1) &&
               charge(t, "L4", "O2", "V1", Late, 1, money("5.00"), feb(28)) &&
               line(t, "L5", "O2", "D1", "0", start, Owed) &&
               charge(t, "L5", "O2", "D1", Rent, 6, money("90.00"), Owed) &&
               line(t, "L6", "O2", "G1", "1", start, jan31) &&
               charge(t, "L6", "O2", "G1", Renew, 1, money("10.00"), jan31) &&
               line(t, "L7", "O2", "V1", "1", start, feb(5)) &&
               charge(t, "L7", "O2", "V1", Free, 1, money("0"), feb(5)) &&
               sale(t, feb(29), "C1", 2, money("1,000.50")) &&
               sale(t, feb(1), "C2", 1, money("0.10")) && sale(t, mar1, "C2", 9, money("9")) &&
               customer(t, "C1", feb(29)) && customer(t, "C2", feb(1)) &&
               customer(t, "C3", jan31) &&
               t.exec(QStringLiteral("INSERT INTO AcctAdjust (AdjustID, AdjustAmt, AdjustDate) "
                                     "VALUES ('A1', ?, ?), ('A2', ?, ?), ('A3', ?, ?)"),
                      {money("-20.00"), feb(10), money("7.5"), feb(29), money("1000"), mar1});
    });
}

// Both: the members' visits all lie outside February.
bool arrangeShop(TestDb& t) {
    return arrangeMembers(t) && arrangeFebruary(t);
}

// Every sum, in the order the daily summary runs them.
bool sumAll(Connection& db, DailySummary& s) {
    return SumPayAmt(db, s, Rent) && SumPayAmt(db, s, Renew) && SumPayAmt(db, s, Late) &&
           SumSales(db, s) && SumPayQtyByCat(db, s, Rent) && SumPayQtyByCat(db, s, Renew) &&
           SumPayQty(db, s) && SumReturnQtyByCat(db, s) && SumOverdueQtyByCat(db, s) &&
           CountNewCust(db, s) && SumAdjustAmt(db, s);
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
    std::unique_ptr<TestDb> m_shop;

private Q_SLOTS:
    void initTestCase() {
        m_shop = std::make_unique<TestDb>();
        QVERIFY(m_shop->ok() && arrangeShop(*m_shop));
    }
    void init() { m_shop->messages.clear(); }

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
        QVERIFY(RefreshCustStats(m_shop->db(), rec));
        const QString counts =
            QString::asprintf("%lld %lld %lld %lld %lld ", rec.RentTimes, rec.GoodTimes,
                              rec.LateTimes, rec.BadTimes, rec.BuyCount);
        QCOMPARE(counts + rec.LastRentDate.toString(Qt::ISODate) + ' ' +
                     m_shop->messages.texts().join(""),
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
        QVERIFY(GetItems(m_shop->db(), list, false));
        QVERIFY(AddItemRentQty(m_shop->db(), list[0]) && GetItemLastRent(m_shop->db(), list[0]));
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
        const QString read = QStringLiteral("SELECT group_concat(Id || '=' || TotalTimes) FROM "
                                            "(SELECT %2 AS Id, TotalTimes FROM %1 ORDER BY Id)")
                                 .arg(table, table == "Cust_Temp" ? "CustomerID" : "ItemID");
        for (int run = 0; run < 2; ++run) {
            QVERIFY(rebuild(t.db()));
            QCOMPARE(t.scalar(read).toString(), totals);
        }
        QVERIFY(t.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 "
                                      "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                           .arg(table)));
        QVERIFY(!rebuild(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QCOMPARE(t.scalar(read).toString(), totals);
    }
    // Every sum of the period, stored in every summary row there is, or in a new one.
    void periodIsSummedAndStored_data() {
        // After the period: the figures, in column order.
        const Cases<QDate, QDate, int, QString> add;
        const QString february = "2|7|1|1|0|3|4|3|1|2|0|2|12750000|150000|250000|10006000|-125000";
        add("February", feb(1), feb(29), 1, february);
        add("every row overwritten", feb(1), feb(29), 3, february);
        add("nothing in June, row missing", QDate(2004, 6, 1), QDate(2004, 6, 30), 0,
            "0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
    }
    void periodIsSummedAndStored() {
        const auto [first, last, rowsBefore, stored] = Cases<QDate, QDate, int, QString>::fetch();
        TestDb& t = *m_shop;
        QVERIFY(t.exec(QStringLiteral("DELETE FROM RptDailyTx")));
        for (int i = 0; i < rowsBefore; ++i)
            QVERIFY(t.exec(QStringLiteral("INSERT INTO RptDailyTx (RentAmt) VALUES (99)")));
        DailySummary s = period(first, last);
        QVERIFY(sumAll(t.db(), s) && UpdateRptDailyTx(t.db(), s));
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
        DailySummary s = period(feb(1), feb(29));
        QVERIFY(!SumPayAmt(t.db(), s, QStringLiteral("3")));
        QVERIFY(!SumPayQtyByCat(t.db(), s, QStringLiteral("1")));
        QCOMPARE(t.messages.texts(),
                 QStringList({"debug: error in SumPayAmt!", "debug: error in SumPayQtyByCat!"}));
        QVERIFY(t.exec(QStringLiteral("DROP TABLE AcctAdjust")));
        s.AdjustAmt = Money::fromWhole(7);
        QVERIFY(!SumAdjustAmt(t.db(), s));
        QCOMPARE(s.AdjustAmt, Money::fromWhole(7));
        QCOMPARE(t.messages.boxes.size(), 3);
        QCOMPARE(t.messages.boxes[2].title, QStringLiteral("Error"));
    }
};

QTEST_GUILESS_MAIN(Test_figures)
#include "tst_figures.moc"
