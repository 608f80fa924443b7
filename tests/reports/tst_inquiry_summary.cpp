#include "TestDb.h"
#include "dbvalue.h"
#include "inquiry.h"
#include "inquiryrun.h"
#include "reports.h"
#include "shoprows.h"
#include "utility.h"

#include <QSqlQuery>
#include <QTest>

namespace {

QDate feb(int day) {
    return QDate(2004, 2, day);
}

using shoprows::money;

bool insertAll(TestDb& t, const char* sql, const QList<QVariantList>& rows) {
    for (const QVariantList& values : rows) {
        if (!t.exec(QString::fromLatin1(sql), values))
            return false;
    }
    return true;
}

// February 2004 in a small shop: a copy of category V and of two others (D, G), each with
// rentals, renewals, late charges, a free rental, returns, and rows on the days just outside.
bool arrange(TestDb& t) {
    return insertAll(t, "INSERT INTO Category (CategoryID, Description) VALUES (?, ?)",
                     {{"D", "DVD"}, {"G", "GAME"}}) &&
           insertAll(t,
                     "INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES (?, ?, ?)",
                     {{"P1", "ALIEN", "V"}, {"P2", "BRAZIL", "D"}, {"P3", "CHESS", "G"}}) &&
           insertAll(t, "INSERT INTO Items (ItemID, ProductID, Status) VALUES (?, ?, '1')",
                     {{"V1", "P1"}, {"D1", "P2"}, {"G1", "P3"}}) &&
           insertAll(
               t,
               "INSERT INTO Order_Details (OrderIdx, OrderID, ItemID, RentStatus, ReturnDate) "
               "VALUES (?, 'O1', ?, ?, ?)",
               {{"LV", "V1", "1", feb(21)},
                {"LD", "D1", "1", feb(20)},
                {"LG", "G1", "0", NoDate},
                {"LX", "V1", "1", QDate(2004, 1, 31)},
                {"LY", "D1", "0", NoDate}}) &&
           insertAll(t,
                     "INSERT INTO Order_Payment (OrderIdx, OrderID, ItemID, PayType, Quantity, "
                     "ChargeAmt, PayDate) VALUES (?, 'O1', ?, ?, ?, ?, ?)",
                     {{"LV", "V1", "0", 2, money("30"), feb(1)},
                      {"LV", "V1", "2", 1, money("15"), feb(10)},
                      {"LV", "V1", "1", 4, money("12.5"), feb(21)},
                      {"LD", "D1", "0", 3, money("45"), feb(15)},
                      {"LD", "D1", "1", 2, money("20"), feb(20)},
                      {"LG", "G1", "0", 4, money("60"), feb(29)},
                      {"LG", "G1", "2", 5, money("75"), feb(11)},
                      {"LG", "G1", "3", 6, money("0"), feb(5)},
                      {"LX", "V1", "0", 9, money("99"), QDate(2004, 1, 31)},
                      {"LY", "D1", "0", 9, money("99"), QDate(2004, 3, 1)}}) &&
           insertAll(
               t, "INSERT INTO Sales (SaleDate, RateID, Quantity, NetAmt) VALUES (?, 'S1', ?, ?)",
               {{feb(15), 4, money("1200.5")},
                {feb(29), 3, money("34")},
                {QDate(2004, 1, 31), 9, money("99")}}) &&
           insertAll(t, "INSERT INTO Customers (CustomerID, JoinDate) VALUES (?, ?)",
                     {{"000001", feb(1)}, {"000002", feb(15)}, {"000003", QDate(2004, 3, 1)}}) &&
           insertAll(t, "INSERT INTO AcctAdjust (AdjustID, AdjustAmt, AdjustDate) VALUES (?, ?, ?)",
                     {{"A1", money("-20"), feb(10)},
                      {"A2", money("7.5"), feb(29)},
                      {"A3", money("1000"), QDate(2004, 3, 1)}});
}

// The summary row as it is stored, every field in the table's order: the dates as stored,
// the month as typed, counts, and amounts "#,##0.00".
QStringList storedSummary(TestDb& t) {
    auto q = t.db().run(QStringLiteral("SELECT * FROM RptDailyTx"), {}, QStringLiteral("test"));
    QStringList fields;
    if (!q || !q->next())
        return fields;
    fields << q->value(0).toString() << q->value(1).toString() << readText(q->value(2));
    for (int i = 3; i < 15; ++i)
        fields << QString::number(readCount(q->value(i)));
    for (int i = 15; i < 20; ++i)
        fields << readMoney(q->value(i)).format();
    return fields;
}

InquiryChoice summaryOf(InquiryPeriod period, const char* date, const char* end,
                        const char* month) {
    InquiryChoice choice;
    choice.period = period;
    choice.boxes = {QString::fromLatin1(date), QString::fromLatin1(end),
                    QString::fromLatin1(month)};
    return choice;
}

} // namespace

Q_DECLARE_METATYPE(InquiryChoice)
Q_DECLARE_METATYPE(InquiryTab)

// The transaction summary as Preview runs it: the period's figures summed and stored as the
// one summary row; and the work-table rebuilds before the two rankings.
class Test_inquiry_summary : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> t;

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestDb>();
        QVERIFY(t->ok() && arrange(*t));
    }

    void everyField_data() {
        QTest::addColumn<InquiryChoice>("choice");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("february 2004 as a month")
            << summaryOf(InquiryPeriod::Monthly, "10/03/2004", "10/03/2004", "02/2004")
            << QStringList{"2004-02-01", "2004-02-29", "02/2004", "2",     "7",        "6",     "1",
                           "5",          "7",          "3",       "3",     "4",        "2",     "0",
                           "2",          "135.00",     "90.00",   "32.50", "1,234.50", "-12.50"};
        QTest::newRow("one day") << summaryOf(InquiryPeriod::Daily, "15/02/2004", "  /  /    ",
                                              "03/2004")
                                 << QStringList{"2004-02-15", "2004-02-15", "03/2004",  "0",
                                                "3",          "0",          "0",        "0",
                                                "4",          "0",          "0",        "0",
                                                "0",          "0",          "1",        "45.00",
                                                "0.00",       "0.00",       "1,200.50", "0.00"};
        QTest::newRow("an end before the start")
            << summaryOf(InquiryPeriod::Range, "29/02/2004", "01/02/2004", "03/2004")
            << QStringList{"2004-02-29", "2004-02-01", "03/2004", "0",    "0",    "0",   "0",
                           "0",          "0",          "0",       "0",    "0",    "0",   "0",
                           "0",          "0.00",       "0.00",    "0.00", "0.00", "0.00"};
    }
    void everyField() {
        QFETCH(InquiryChoice, choice);
        QFETCH(QStringList, row);
        const auto plan = PlanPreview(choice);
        QVERIFY(plan);
        QCOMPARE(PrepareReport(t->db(), *plan), QString());
        QCOMPARE(storedSummary(*t), row);
        QCOMPARE(t->scalar(QStringLiteral("SELECT COUNT(*) FROM RptDailyTx")).toInt(), 1);
        QVERIFY(t->messages.boxes.isEmpty());
    }

    void failuresStopTheReport_data() {
        QTest::addColumn<InquiryTab>("tab");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("summary") << InquiryTab::Accounting << "RptDailyTx"
                                 << "debug: error in QryDailyRpt!";
        QTest::newRow("customers") << InquiryTab::Customer << "Cust_Temp"
                                   << "debug: error in QryCustomerRpt!";
        QTest::newRow("products") << InquiryTab::Product << "Item_Temp"
                                  << "debug: error in QryProductRpt!";
    }
    void failuresStopTheReport() {
        QFETCH(InquiryTab, tab);
        QFETCH(QString, table);
        QFETCH(QString, message);
        QVERIFY(t->exec(QStringLiteral("DROP TABLE ") + table));
        InquiryChoice choice = summaryOf(InquiryPeriod::Daily, "15/02/2004", "", "02/2004");
        choice.tab = tab;
        const auto plan = PlanPreview(choice);
        QVERIFY(plan);
        QCOMPARE(PrepareReport(t->db(), *plan), message);
        // The connection has already said what went wrong in the database.
        QVERIFY(!t->messages.boxes.isEmpty());
        QVERIFY(t->messages.boxes.first().text.startsWith(QStringLiteral("Error # ")));
    }
};

QTEST_GUILESS_MAIN(Test_inquiry_summary)
#include "tst_inquiry_summary.moc"
