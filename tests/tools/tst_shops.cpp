#include "CreatedFile.h"
#include "TestDb.h"
#include "ToolRun.h"
#include "demo.h"

#include <QTest>

namespace {

const QDate LeapDay(2024, 2, 29);
const QDate NewYear(2023, 1, 3);

WorkingFileSpec demoSpec(const QDate& today) {
    return WorkingFileSpec{QDateTime(today, QTime(8, 0)), QStringLiteral("DEMO"),
                           [today](Connection& db) { return addDemoShop(db, today); }};
}

// Small enough to make in a moment, large enough that every kind of trade happens.
GenerateOptions tinyShop(std::uint32_t seed = 7) {
    return {.members = 150, .titles = 40, .copies = 160, .years = 1, .seed = seed};
}

// A "?" stands for the demo's day.
const QList<RowCheck> DemoShape = {
    {"members", "Customers", 55, 65},
    {"inactive", "Customers WHERE Active = 'N'", 1, 10},
    {"under 18", "Customers WHERE BirthDate > date(?, '-18 years')", 1, 10},
    {"visitors", "Customers WHERE HKResident = 'N'", 1, 10},
    {"names not in Chinese script", "Customers WHERE ChineseName NOT GLOB '*[一-鿿]*'", 0, 5},
    {"categories", "Category", 4, 12},
    {"titles", "(SELECT DISTINCT ProductID FROM Items WHERE Status <> '4')", 35, 45},
    {"copies", "Items WHERE Status <> '4'", 100, 140},
    {"damaged, sold, rate codes each 1 to 10",
     "(SELECT 1 FROM Items WHERE Status IN ('2', '3', '4') GROUP BY Status HAVING count(*) <= 10)",
     3, 3},
    {"rate codes are the S items", "Items WHERE (Status = '4') <> (substr(ItemID, 1, 1) = 'S')"},
    {"rate codes in a bundle",
     "Items i JOIN Products p USING (ProductID) JOIN Category c USING (CategoryID) "
     "WHERE i.Status = '4' AND c.UnitPrice > 0 AND c.PromoteQty > 0",
     1, 10},
    {"overdue out",
     "Order_Details d JOIN Items i USING (ItemID) "
     "WHERE d.RentStatus = '0' AND d.EndDate < ? AND i.Status = '1'",
     1, 40},
    {"arrears renewals",
     "Order_Payment WHERE PayType = '2' AND PayStatus = 'N' AND PayDate = '2222-01-01' AND "
     "SettleDate <> '2222-01-01'",
     1, 20},
    {"cash renewals", "Order_Payment WHERE PayType = '2' AND PayStatus = 'Y'", 1, 200},
    {"late charges", "Order_Payment WHERE PayType = '1'", 1, 300},
    {"free rentals", "Order_Payment WHERE PayType = '3' AND Discount = 1 AND ChargeAmt = 0", 1,
     100},
    {"sales", "Sales", 1, 300},
    {"credits", "AcctAdjust WHERE AdjustAmt > 0", 1, 10},
    {"debits", "AcctAdjust WHERE AdjustAmt < 0", 1, 10},
    {"renewal numbers", "Order_Payment WHERE PayType = '2' AND RenewIndex < 1"},
    {"return dates", "Order_Details WHERE RentStatus = '1' AND "
                     "(ReturnDate > ? OR ReturnDate < substr(InitDate, 1, 10))"},
    {"open lines dated", "Order_Details WHERE RentStatus = '0' AND ReturnDate <> '2222-01-01'"},
    {"paid later than today", "Order_Payment WHERE PayDate > ? AND PayDate <> '2222-01-01'"},
    {"inactive served", "(SELECT CustomerID FROM Orders UNION ALL SELECT CustomerID FROM Sales) "
                        "JOIN Customers USING (CustomerID) WHERE Active <> 'Y'"},
};

// "?"s stand for the first and the last day of trade.
const QList<RowCheck> GeneratedShape = {
    {"members as asked", "Customers", 150, 150},
    {"titles as asked",
     "Products WHERE ProductID IN (SELECT ProductID FROM Items WHERE Status <> '4')", 40, 40},
    {"copies as asked", "Items WHERE Status <> '4'", 160, 160},
    {"charges of another line", "Order_Payment p JOIN Order_Details d USING (OrderIdx) "
                                "WHERE p.OrderID <> d.OrderID OR p.ItemID <> d.ItemID"},
    {"orders of nobody", "Orders o WHERE NOT EXISTS "
                         "(SELECT 1 FROM Customers c WHERE c.CustomerID = o.CustomerID)"},
    {"rented before joining", "Order_Details d JOIN Orders o USING (OrderID) JOIN Customers c "
                              "USING (CustomerID) WHERE substr(d.InitDate, 1, 10) < c.JoinDate"},
    {"trade outside the years", "Order_Details WHERE substr(InitDate, 1, 10) NOT BETWEEN ? AND ?"},
    {"rents, late charges, cash and arrears renewals, free rentals",
     "(SELECT DISTINCT PayType || iif(PayType = '2', PayStatus, '') FROM Order_Payment)", 5, 5},
    {"lines still out, sales, adjustments",
     "Order_Details WHERE RentStatus = '0' AND EXISTS (SELECT 1 FROM Sales) AND "
     "EXISTS (SELECT 1 FROM AcctAdjust)",
     1, 100000},
    {"damaged, sold, former members each 1 to 100",
     "(SELECT 1 FROM Items WHERE Status IN ('2', '3') GROUP BY Status HAVING count(*) <= 100 "
     "UNION ALL SELECT 1 FROM Customers WHERE Active = 'N' GROUP BY Active HAVING count(*) <= 100)",
     3, 3},
};

} // namespace

// The shops vormel-db writes: the demo shop on any day and a generated shop of any size.
class Test_shops : public QObject {
    Q_OBJECT

    QList<std::shared_ptr<CreatedFile>> m_shops;
    shop::RowCounts m_written;
    const QList<QList<RowCheck>> shapes = {DemoShape + TradeInvariants, DemoShape + TradeInvariants,
                                           GeneratedShape + TradeInvariants};

private slots:
    void initTestCase() {
        m_shops = {std::make_shared<CreatedFile>(demoSpec(LeapDay)),
                   std::make_shared<CreatedFile>(demoSpec(NewYear)),
                   std::make_shared<CreatedFile>(generatedSpec(tinyShop(), m_written))};
        for (const auto& f : m_shops) {
            QVERIFY2(f->opened, qPrintable(f->error));
            QVERIFY(f->messages.boxes.isEmpty());
        }
    }

    void hasThePromisedShape_data() {
        QTest::addColumn<int>("shop");
        QTest::addColumn<int>("check");
        const char* names[] = {"leap day", "new year", "generated"};
        for (int shop = 0; shop < 3; ++shop) {
            for (int check = 0; check < shapes[shop].size(); ++check)
                QTest::addRow("%s: %s", names[shop], shapes[shop][check].what) << shop << check;
        }
    }
    void hasThePromisedShape() {
        QFETCH(int, shop);
        QFETCH(int, check);
        const RowCheck& c = shapes[shop][check];
        const QList<QVariantList> days = {{LeapDay, LeapDay},
                                          {NewYear, NewYear},
                                          {tinyShop().opening(), GenerateOptions::lastDay()}};
        const QString from = QString::fromUtf8(c.from);
        const qint64 n = m_shops[shop]->count(from, days[shop].mid(0, from.count('?')));
        QVERIFY2(n >= c.least && n <= c.most, qPrintable(QString::number(n)));
    }

    // The same day gives the same demo, another seed another shop (the same seed is the
    // tool's, below).
    void sameInputGivesTheSameFile() {
        QCOMPARE(readAll(CreatedFile(demoSpec(LeapDay)).path()), readAll(m_shops[0]->path()));
        shop::RowCounts written;
        QVERIFY(readAll(CreatedFile(generatedSpec(tinyShop(8), written)).path()) !=
                readAll(m_shops[2]->path()));
    }

    void demoWritesAllOrNothing() {
        TestDb t;
        QVERIFY(t.exec(QStringLiteral("UPDATE SerialNo SET AdjustID = NULL")));
        QVERIFY(!addDemoShop(t.db(), LeapDay));
        QCOMPARE(t.scalar("SELECT (SELECT count(*) FROM Customers) + (SELECT count(*) FROM "
                          "Products) + (SELECT count(*) FROM Items) + (SELECT count(*) FROM "
                          "Orders) + (SELECT count(*) FROM Sales)"),
                 QVariant(0));
        QCOMPARE(t.scalar(QStringLiteral("SELECT OrderID FROM SerialNo")).toInt(), 1);
        QVERIFY(t.messages.texts().contains(
            QStringLiteral("debug: Error in getting serial no [AdjustID]!")));
    }

    // The tool reads every size and the seed, and says what it wrote.
    void toolGeneratesAsAsked() {
        QTemporaryDir dir;
        const ToolRun run = runTool(QStringLiteral(VORMEL_DB_TOOL),
                                    {"generate", "--members", "150", "--titles", "40", "--copies",
                                     "160", "--years", "1", "--seed", "7", "shop.mdb"},
                                    dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY(readAll(dir.filePath(QStringLiteral("shop.mdb"))) == readAll(m_shops[2]->path()));
        QString said = "shop.mdb: trade from 2024-07-01 to 2025-06-30; %1 members, %2 titles, %3 "
                       "copies, %4 orders, %5 order lines, %6 charges, %7 sales, %8 adjustments; ";
        for (const char* from : {"Customers", "Products", "Items", "Orders", "Order_Details",
                                 "Order_Payment", "Sales", "AcctAdjust"})
            said = said.arg(m_shops[2]->count(from));
        QVERIFY2(run.out.startsWith(said), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(Test_shops)
#include "tst_shops.moc"
