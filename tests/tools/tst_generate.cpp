#include "CreatedFile.h"
#include "ToolRun.h"
#include "generate.h"

#include <QFile>
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

WorkingFileSpec generatedSpec(const GenerateOptions& options, shop::RowCounts& written) {
    return WorkingFileSpec{options.created(), {}, [options, &written](Connection& db) {
                               return addGeneratedShop(db, options, written);
                           }};
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QStringList TinyArgs = {"generate", "--members", "150",     "--titles", "40",
                              "--copies", "160",       "--years", "1"};

ToolRun generate(const QStringList& args, const QString& folder) {
    return runTool(QStringLiteral(VORMEL_DB_TOOL), args, folder);
}

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

    // Each query counts rows; its "?"s stand for the first and the last day of trade.
    void isAConsistentShop_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("least");
        QTest::addColumn<qint64>("most");
        const QList<RowCheck> checks = {
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
             "SELECT count(*) FROM Order_Details WHERE substr(InitDate, 1, 10) NOT BETWEEN ? "
             "AND ?",
             0, 0},
            {"late charges", "SELECT count(*) FROM Order_Payment WHERE PayType = '1'", 1, 100000},
            {"cash renewals",
             "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND PayStatus = 'Y'", 1,
             100000},
            {"arrears renewals",
             "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND PayStatus = 'N'", 1,
             100000},
            {"free rentals",
             "SELECT count(*) FROM Order_Payment WHERE PayType = '3' AND ChargeAmt = 0", 1, 100000},
            {"lines still out", "SELECT count(*) FROM Order_Details WHERE RentStatus = '0'", 1,
             100000},
            {"sales", "SELECT count(*) FROM Sales", 1, 100000},
            {"adjustments", "SELECT count(*) FROM AcctAdjust", 1, 100000},
            {"damaged", "SELECT count(*) FROM Items WHERE Status = '2'", 1, 100},
            {"sold", "SELECT count(*) FROM Items WHERE Status = '3'", 1, 100},
            {"former members", "SELECT count(*) FROM Customers WHERE Active = 'N'", 1, 100},
        };
        for (const RowCheck& c : checks + TradeInvariants)
            QTest::newRow(c.what) << QString::fromLatin1(c.sql) << c.least << c.most;
    }
    void isAConsistentShop() {
        QFETCH(QString, sql);
        QFETCH(qint64, least);
        QFETCH(qint64, most);
        const QVariantList days = {tinyShop().opening(), GenerateOptions::lastDay()};
        const QVariantList values = days.mid(0, sql.count(QLatin1Char('?')));
        const qint64 n = m_shop->count(sql, values);
        QVERIFY2(n >= least && n <= most, qPrintable(QString::number(n)));
    }

    void countsWhatItWrote_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<qint64>("written");
        QTest::newRow("members") << "Customers" << m_written.members;
        QTest::newRow("lines") << "Order_Details" << m_written.lines;
        QTest::newRow("charges") << "Order_Payment" << m_written.charges;
        QTest::newRow("orders") << "Orders" << m_written.orders;
        QTest::newRow("sales") << "Sales" << m_written.sales;
    }
    void countsWhatItWrote() {
        QFETCH(QString, table);
        QFETCH(qint64, written);
        QCOMPARE(m_shop->count(QStringLiteral("SELECT count(*) FROM ") + table), written);
    }

    void countersEndPastEveryNumber_data() {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("table");
        QTest::newRow("OrderID") << "OrderID"
                                 << "Orders";
        QTest::newRow("OrderIdx") << "OrderIdx"
                                  << "Order_Details";
        QTest::newRow("ProductID") << "ProductID"
                                   << "Products";
        QTest::newRow("AdjustID") << "AdjustID"
                                  << "AcctAdjust";
    }
    void countersEndPastEveryNumber() {
        QFETCH(QString, counter);
        QFETCH(QString, table);
        const qint64 next = m_shop->count(QStringLiteral("SELECT %1 FROM SerialNo").arg(counter));
        const qint64 highest = m_shop->count(
            QStringLiteral("SELECT max(CAST(%1 AS INTEGER)) FROM %2").arg(counter, table));
        QVERIFY(highest > 0);
        QCOMPARE(next, highest + 1);
    }

    void sameSeedGivesTheSameFile() {
        QTemporaryDir a, b;
        QCOMPARE(generate(TinyArgs + QStringList{"--seed", "3", "shop.mdb"}, a.path()).exitCode, 0);
        QCOMPARE(generate(TinyArgs + QStringList{"--seed", "3", "shop.mdb"}, b.path()).exitCode, 0);
        const QByteArray first = readAll(a.filePath(QStringLiteral("shop.mdb")));
        QVERIFY(first.size() > 100000);
        QCOMPARE(readAll(b.filePath(QStringLiteral("shop.mdb"))), first);
        QTemporaryDir c;
        QCOMPARE(generate(TinyArgs + QStringList{"--seed", "4", "shop.mdb"}, c.path()).exitCode, 0);
        QVERIFY(readAll(c.filePath(QStringLiteral("shop.mdb"))) != first);
    }

    void saysWhatItWrote() {
        QTemporaryDir dir;
        const ToolRun run = generate(TinyArgs + QStringList{"shop.mdb"}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY2(run.out.startsWith(QStringLiteral("shop.mdb: trade from 2024-07-01 to "
                                                   "2025-06-30; 150 members, ")),
                 qPrintable(run.out));
    }

    void refusesAnExistingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shop.mdb"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("mine") == 4);
        f.close();
        const ToolRun run = generate(TinyArgs + QStringList{"shop.mdb"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.trimmed(), QStringLiteral("shop.mdb already exists"));
        QCOMPARE(readAll(path), QByteArray("mine"));
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
