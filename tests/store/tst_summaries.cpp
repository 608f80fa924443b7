#include "TestDb.h"
#include "shoprows.h"
#include "summaries.h"
#include "utility.h"

#include <QTest>

#include <memory>

using namespace shoprows;

namespace {

const QDate Owed = NoDate;
QDate feb(int day) {
    return QDate(2004, 2, day);
}

// February 2004 (a leap year) with rows just outside it on 31 January and 1 March.
// Copies: V1 in category "V", D1 in "D", G1 in "G".
bool arrangeFebruary(TestDb& t) {
    const QString rent = QStringLiteral("0"), late = QStringLiteral("1");
    const QString renew = QStringLiteral("2"), free = QStringLiteral("3");
    const QDate jan31(2004, 1, 31), mar1(2004, 3, 1);
    const QDateTime start(feb(1), QTime(10, 0));
    return inOne(t, [&] {
        return category(t, "D", "DVD") && category(t, "G", "GAME") && product(t, "P1", "A", "V") &&
               product(t, "P2", "B", "D") && product(t, "P3", "C", "G") && item(t, "V1", "P1") &&
               item(t, "D1", "P2") && item(t, "G1", "P3") &&
               // Returned on the last day: rent 2 and a renewal of 1.
               line(t, "L1", "O1", "V1", "1", start, feb(29)) &&
               charge(t, "L1", "O1", "V1", rent, 2, money("30.00"), feb(29)) &&
               charge(t, "L1", "O1", "V1", renew, 1, money("15.00"), feb(10)) &&
               // Returned with a late charge, which the return count leaves out.
               line(t, "L2", "O1", "D1", "1", start, feb(20)) &&
               charge(t, "L2", "O1", "D1", rent, 3, money("45.00"), feb(1)) &&
               charge(t, "L2", "O1", "D1", late, 2, money("20.00"), feb(20)) &&
               line(t, "L3", "O1", "G1", "0", start, Owed) &&
               charge(t, "L3", "O1", "G1", rent, 4, money("1,200.00"), feb(15)) &&
               // Returned after the period; its late charge was paid inside it.
               line(t, "L4", "O2", "V1", "1", start, mar1) &&
               charge(t, "L4", "O2", "V1", rent, 5, money("75.00"), mar1) &&
               charge(t, "L4", "O2", "V1", late, 1, money("5.00"), feb(28)) &&
               line(t, "L5", "O2", "D1", "0", start, Owed) &&
               charge(t, "L5", "O2", "D1", rent, 6, money("90.00"), Owed) &&
               line(t, "L6", "O2", "G1", "1", start, jan31) &&
               charge(t, "L6", "O2", "G1", renew, 1, money("10.00"), jan31) &&
               line(t, "L7", "O2", "V1", "1", start, feb(5)) &&
               charge(t, "L7", "O2", "V1", free, 1, money("0"), feb(5)) &&
               sale(t, feb(29), "C1", 2, money("1,000.50")) &&
               sale(t, feb(1), "C2", 1, money("0.10")) && sale(t, mar1, "C2", 9, money("9")) &&
               customer(t, "C1", feb(29)) && customer(t, "C2", feb(1)) &&
               customer(t, "C3", jan31) &&
               t.exec(QStringLiteral("INSERT INTO AcctAdjust (AdjustID, AdjustAmt, AdjustDate) "
                                     "VALUES ('A1', ?, ?), ('A2', ?, ?), ('A3', ?, ?)"),
                      {money("-20.00"), feb(10), money("7.5"), feb(29), money("1000"), mar1});
    });
}

// Every sum, in the order the daily summary runs them.
bool sumAll(Connection& db, DailySummary& s) {
    bool ok = true;
    for (const char* payType : {"0", "2", "1"})
        ok = SumPayAmt(db, s, QString::fromLatin1(payType)) && ok;
    ok = SumSales(db, s) && ok;
    ok = SumPayQtyByCat(db, s, QStringLiteral("0")) && ok;
    ok = SumPayQtyByCat(db, s, QStringLiteral("2")) && ok;
    ok = SumPayQty(db, s) && ok;
    ok = SumReturnQtyByCat(db, s) && ok;
    ok = SumOverdueQtyByCat(db, s) && ok;
    ok = CountNewCust(db, s) && ok;
    return SumAdjustAmt(db, s) && ok;
}

DailySummary period(const QDate& first, const QDate& last) {
    DailySummary s;
    s.RptDate = first;
    s.RptEndDate = last;
    s.RptMonthDate = QStringLiteral("02/2004");
    return s;
}

} // namespace

class Test_summaries : public QObject {
    Q_OBJECT

    // February's rows, arranged once.
    std::unique_ptr<TestDb> m_feb;

private Q_SLOTS:
    void initTestCase() {
        m_feb = std::make_unique<TestDb>();
        QVERIFY(m_feb->ok() && arrangeFebruary(*m_feb));
    }

    // Every sum of the period, stored in every summary row there is, or in a new one.
    void periodIsSummedAndStored_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<QString>("stored"); // after the period: the figures, in column order
        const QString february = "2|7|1|1|0|3|4|3|1|2|0|2|12750000|150000|250000|10006000|-125000";
        QTest::newRow("February") << feb(1) << feb(29) << 1 << february;
        QTest::newRow("every row overwritten") << feb(1) << feb(29) << 3 << february;
        QTest::newRow("nothing in June, row missing")
            << QDate(2004, 6, 1) << QDate(2004, 6, 30) << 0 << "0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0";
    }
    void periodIsSummedAndStored() {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(int, rowsBefore);
        QFETCH(QString, stored);
        TestDb& t = *m_feb;
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

QTEST_GUILESS_MAIN(Test_summaries)
#include "tst_summaries.moc"
