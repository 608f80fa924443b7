#include "CreatedFile.h"
#include "TestDb.h"
#include "demo.h"

#include <QTest>

namespace {

const QDate LeapDay(2024, 2, 29);
const QDate NewYear(2023, 1, 3);

WorkingFileSpec demoSpec(const QDate& today) {
    return WorkingFileSpec{QDateTime(today, QTime(8, 0)), QStringLiteral("DEMO"),
                           [today](Connection& db) { return addDemoShop(db, today); }};
}

// Each query counts rows; a "?" stands for the shop's reference date.
const QList<RowCheck> DemoShape = {
    {"members", "SELECT count(*) FROM Customers", 55, 65},
    {"inactive", "SELECT count(*) FROM Customers WHERE Active = 'N'", 1, 10},
    {"under 18", "SELECT count(*) FROM Customers WHERE BirthDate > date(?, '-18 years')", 1, 10},
    {"visitors", "SELECT count(*) FROM Customers WHERE HKResident = 'N'", 1, 10},
    {"names not in Chinese script",
     "SELECT count(*) FROM Customers WHERE ChineseName NOT GLOB '*[一-鿿]*'", 0, 5},
    {"categories", "SELECT count(*) FROM Category", 4, 12},
    {"titles", "SELECT count(DISTINCT ProductID) FROM Items WHERE Status <> '4'", 35, 45},
    {"copies", "SELECT count(*) FROM Items WHERE Status <> '4'", 100, 140},
    {"damaged", "SELECT count(*) FROM Items WHERE Status = '2'", 1, 10},
    {"sold", "SELECT count(*) FROM Items WHERE Status = '3'", 1, 10},
    {"rate codes", "SELECT count(*) FROM Items WHERE Status = '4'", 1, 10},
    {"rate codes are the S items",
     "SELECT count(*) FROM Items WHERE (Status = '4') <> (substr(ItemID, 1, 1) = 'S')", 0, 0},
    {"rate codes in a bundle",
     "SELECT count(*) FROM Items i JOIN Products p USING (ProductID) JOIN Category c "
     "USING (CategoryID) WHERE i.Status = '4' AND c.UnitPrice > 0 AND c.PromoteQty > 0",
     1, 10},
    {"overdue out",
     "SELECT count(*) FROM Order_Details d JOIN Items i USING (ItemID) "
     "WHERE d.RentStatus = '0' AND d.EndDate < ? AND i.Status = '1'",
     1, 40},
    {"arrears renewals",
     "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND PayStatus = 'N' AND "
     "PayDate = '2222-01-01' AND SettleDate <> '2222-01-01'",
     1, 20},
    {"cash renewals", "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND PayStatus = 'Y'",
     1, 200},
    {"late charges", "SELECT count(*) FROM Order_Payment WHERE PayType = '1'", 1, 300},
    {"free rentals",
     "SELECT count(*) FROM Order_Payment WHERE PayType = '3' AND Discount = 1 AND ChargeAmt = 0", 1,
     100},
    {"sales", "SELECT count(*) FROM Sales", 1, 300},
    {"credits", "SELECT count(*) FROM AcctAdjust WHERE AdjustAmt > 0", 1, 10},
    {"debits", "SELECT count(*) FROM AcctAdjust WHERE AdjustAmt < 0", 1, 10},
    {"renewal numbers", "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND RenewIndex < 1",
     0, 0},
    {"return dates",
     "SELECT count(*) FROM Order_Details WHERE RentStatus = '1' AND "
     "(ReturnDate > ? OR ReturnDate < substr(InitDate, 1, 10))",
     0, 0},
    {"open lines dated",
     "SELECT count(*) FROM Order_Details WHERE RentStatus = '0' AND ReturnDate <> '2222-01-01'", 0,
     0},
    {"paid later than today",
     "SELECT count(*) FROM Order_Payment WHERE PayDate > ? AND PayDate <> '2222-01-01'", 0, 0},
    {"inactive served",
     "SELECT (SELECT count(*) FROM Orders o JOIN Customers c USING (CustomerID) WHERE "
     "c.Active <> 'Y') + (SELECT count(*) FROM Sales s JOIN Customers c USING "
     "(CustomerID) WHERE c.Active <> 'Y')",
     0, 0},
};

} // namespace

class Test_demo : public QObject {
    Q_OBJECT

    std::unique_ptr<CreatedFile> m_leap;
    std::unique_ptr<CreatedFile> m_newYear;

private slots:
    void initTestCase() {
        m_leap = std::make_unique<CreatedFile>(demoSpec(LeapDay));
        m_newYear = std::make_unique<CreatedFile>(demoSpec(NewYear));
        for (CreatedFile* f : {m_leap.get(), m_newYear.get()}) {
            QVERIFY2(f->created, qPrintable(f->error));
            QVERIFY(f->opened);
            QVERIFY(f->messages.boxes.isEmpty());
        }
    }

    void hasThePromisedShape_data() {
        QTest::addColumn<bool>("leap");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("least");
        QTest::addColumn<qint64>("most");
        for (const RowCheck& c : DemoShape + TradeInvariants) {
            for (bool leap : {true, false})
                QTest::addRow("%s: %s", leap ? "leap" : "new year", c.what)
                    << leap << QString::fromUtf8(c.sql) << c.least << c.most;
        }
    }
    void hasThePromisedShape() {
        QFETCH(bool, leap);
        QFETCH(QString, sql);
        QFETCH(qint64, least);
        QFETCH(qint64, most);
        const QVariantList days(sql.count(QLatin1Char('?')), leap ? LeapDay : NewYear);
        const qint64 n = (leap ? m_leap : m_newYear)->count(sql, days);
        QVERIFY2(n >= least && n <= most, qPrintable(QString::number(n)));
    }

    void sameDateGivesTheSameShop() {
        CreatedFile again(demoSpec(LeapDay));
        QVERIFY(again.opened);
        QCOMPARE(readAll(again.path()), readAll(m_leap->path()));
    }

    void writesAllOrNothing() {
        TestDb t;
        QVERIFY(t.exec(QStringLiteral("UPDATE SerialNo SET AdjustID = NULL")));
        QVERIFY(!addDemoShop(t.db(), LeapDay));
        for (const char* table : {"Customers", "Products", "Items", "Orders", "Sales"})
            QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(), 0);
        QCOMPARE(t.scalar(QStringLiteral("SELECT OrderID FROM SerialNo")).toInt(), 1);
        QVERIFY(t.messages.texts().contains(
            QStringLiteral("debug: Error in getting serial no [AdjustID]!")));
    }
};

QTEST_GUILESS_MAIN(Test_demo)
#include "tst_demo.moc"
