#include "CreatedFile.h"
#include "ToolRun.h"

#include <QDir>
#include <QTest>

namespace {

// Small enough to make in a moment, large enough that every kind of trade happens.
GenerateOptions tinyShop() {
    GenerateOptions o;
    o.members = 150;
    o.titles = 40;
    o.copies = 160;
    o.years = 1;
    o.seed = 7;
    return o;
}

const QStringList TinyArgs = {"generate", "--members", "150",     "--titles", "40",
                              "--copies", "160",       "--years", "1"};

ToolRun generate(const QStringList& args, const QString& folder) {
    return runTool(QStringLiteral(VORMEL_DB_TOOL), args, folder);
}

// Each query counts rows; its "?"s stand for the first and the last day of trade.
const QList<RowCheck> GeneratedShape = {
    {"members as asked", "SELECT count(*) FROM Customers", 150, 150},
    {"titles as asked",
     "SELECT count(*) FROM Products WHERE ProductID IN "
     "(SELECT ProductID FROM Items WHERE Status <> '4')",
     40, 40},
    {"copies as asked", "SELECT count(*) FROM Items WHERE Status <> '4'", 160, 160},
    {"charges of another line",
     "SELECT count(*) FROM Order_Payment p JOIN Order_Details d USING (OrderIdx) "
     "WHERE p.OrderID <> d.OrderID OR p.ItemID <> d.ItemID",
     0, 0},
    {"orders of nobody",
     "SELECT count(*) FROM Orders o WHERE NOT EXISTS "
     "(SELECT 1 FROM Customers c WHERE c.CustomerID = o.CustomerID)",
     0, 0},
    {"rented before joining",
     "SELECT count(*) FROM Order_Details d JOIN Orders o USING (OrderID) JOIN Customers "
     "c USING (CustomerID) WHERE substr(d.InitDate, 1, 10) < c.JoinDate",
     0, 0},
    {"trade outside the years",
     "SELECT count(*) FROM Order_Details WHERE substr(InitDate, 1, 10) NOT BETWEEN ? AND ?", 0, 0},
    {"late charges", "SELECT count(*) FROM Order_Payment WHERE PayType = '1'", 1, 100000},
    {"cash renewals", "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND PayStatus = 'Y'",
     1, 100000},
    {"arrears renewals",
     "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND PayStatus = 'N'", 1, 100000},
    {"free rentals", "SELECT count(*) FROM Order_Payment WHERE PayType = '3' AND ChargeAmt = 0", 1,
     100000},
    {"lines still out", "SELECT count(*) FROM Order_Details WHERE RentStatus = '0'", 1, 100000},
    {"sales", "SELECT count(*) FROM Sales", 1, 100000},
    {"adjustments", "SELECT count(*) FROM AcctAdjust", 1, 100000},
    {"damaged", "SELECT count(*) FROM Items WHERE Status = '2'", 1, 100},
    {"sold", "SELECT count(*) FROM Items WHERE Status = '3'", 1, 100},
    {"former members", "SELECT count(*) FROM Customers WHERE Active = 'N'", 1, 100},
};

} // namespace

class Test_generate : public QObject {
    Q_OBJECT

    std::unique_ptr<CreatedFile> m_shop;
    shop::RowCounts m_written;

private slots:
    void initTestCase() {
        m_shop = std::make_unique<CreatedFile>(generatedSpec(tinyShop(), m_written));
        QVERIFY2(m_shop->created, qPrintable(m_shop->error));
        QVERIFY(m_shop->opened);
        QVERIFY(m_shop->messages.boxes.isEmpty());
    }

    void isAConsistentShop_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("least");
        QTest::addColumn<qint64>("most");
        for (const RowCheck& c : GeneratedShape + TradeInvariants)
            QTest::newRow(c.what) << QString::fromLatin1(c.sql) << c.least << c.most;
    }
    void isAConsistentShop() {
        QFETCH(QString, sql);
        QFETCH(qint64, least);
        QFETCH(qint64, most);
        const QVariantList days = {tinyShop().opening(), GenerateOptions::lastDay()};
        const qint64 n = m_shop->count(sql, days.mid(0, sql.count(QLatin1Char('?'))));
        QVERIFY2(n >= least && n <= most, qPrintable(QString::number(n)));
    }

    void countsWhatItWrote() {
        const QList<std::pair<QString, qint64>> written = {{"Customers", m_written.members},
                                                           {"Order_Details", m_written.lines},
                                                           {"Order_Payment", m_written.charges},
                                                           {"Orders", m_written.orders},
                                                           {"Sales", m_written.sales}};
        for (const auto& [table, rows] : written)
            QVERIFY2(m_shop->count("SELECT count(*) FROM " + table) == rows, qPrintable(table));
    }

    void sameSeedGivesTheSameFile() {
        QTemporaryDir a, b, c;
        const ToolRun run = generate(TinyArgs + QStringList{"--seed", "3", "shop.mdb"}, a.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY2(run.out.startsWith(QStringLiteral("shop.mdb: trade from 2024-07-01 to "
                                                   "2025-06-30; 150 members, ")),
                 qPrintable(run.out));
        QCOMPARE(generate(TinyArgs + QStringList{"--seed", "3", "shop.mdb"}, b.path()).exitCode, 0);
        QCOMPARE(generate(TinyArgs + QStringList{"--seed", "4", "shop.mdb"}, c.path()).exitCode, 0);
        const QByteArray first = readAll(a.filePath(QStringLiteral("shop.mdb")));
        QVERIFY(first.size() > 100000);
        QCOMPARE(readAll(b.filePath(QStringLiteral("shop.mdb"))), first);
        QVERIFY(readAll(c.filePath(QStringLiteral("shop.mdb"))) != first);
    }

    void refusesAnExistingFile() {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("shop.mdb")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("mine") == 4);
        f.close();
        const ToolRun run = generate(TinyArgs + QStringList{"shop.mdb"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.trimmed(), QStringLiteral("shop.mdb already exists"));
        QCOMPARE(readAll(f.fileName()), QByteArray("mine"));
    }

    void answersUsageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("fewer copies than titles")
            << QStringList{"generate", "--titles", "10", "--copies", "9", "x.mdb"};
        QTest::newRow("no members") << QStringList{"generate", "--members", "0", "x.mdb"};
        QTest::newRow("not a number") << QStringList{"generate", "--years", "five", "x.mdb"};
        QTest::newRow("too many years") << QStringList{"generate", "--years", "21", "x.mdb"};
        QTest::newRow("demo is for create") << QStringList{"generate", "--demo", "x.mdb"};
        QTest::newRow("sizes are for generate")
            << QStringList{"create", "--members", "10", "x.mdb"};
        QTest::newRow("no file") << QStringList{"generate", "--seed", "2"};
    }
    void answersUsageErrors() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const ToolRun run = generate(args, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.startsWith(QStringLiteral("usage: vormel-db create")));
        QVERIFY(QDir(dir.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_generate)
#include "tst_generate.moc"
