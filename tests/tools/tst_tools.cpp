#include "Cases.h"
#include "Connection.h"
#include "FileProbe.h"
#include "ScriptedMessages.h"
#include "TestDb.h"
#include "commandline.h"
#include "dbfile.h"
#include "demo.h"
#include "generate.h"
#include "schema.h"
#include "shopinfo.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A working file made by createWorkingFile, or a copy of one, as Flicka.mdb in a temporary
// folder, then opened the way the program opens it, with every box recorded.
class CreatedFile {
public:
    explicit CreatedFile(const WorkingFileSpec& spec) {
        open(createWorkingFile(path(), spec, messages, error));
    }
    explicit CreatedFile(const QString& file) { open(QFile::copy(file, path())); }

    QString path() const { return dir.filePath(Connection::LiveFile); }
    // The number of rows of "SELECT count(*) FROM " + `from`.
    qint64 count(const QString& from, const QVariantList& values = {}) {
        auto q = db->run(QStringLiteral("SELECT count(*) FROM ") + from, values, "test");
        return q && q->next() ? q->value(0).toLongLong() : -1;
    }

    QTemporaryDir dir;
    ScriptedMessages messages;
    std::unique_ptr<Connection> db;
    QString error;
    bool opened = false;

private:
    void open(bool made) {
        db = std::make_unique<Connection>(messages, dir.path());
        opened = made && db->OpenDatabase();
    }
};

WorkingFileSpec generatedSpec(const GenerateOptions& options, shop::RowCounts& written) {
    return WorkingFileSpec{options.created(), {}, [options, &written](Connection& db) {
                               return addGeneratedShop(db, options, written);
                           }};
}

// One run of a command-line tool in `folder`, with what it printed.
struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun runTool(const QString& program, const QStringList& args, const QString& folder) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    p.waitForFinished(-1);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

const QString DbTool = QStringLiteral(VORMEL_DB_TOOL),
              BenchTool = QStringLiteral(VORMEL_BENCH_TOOL);

// How many rows a count of `from` gives, and the range it must fall in.
struct RowCheck {
    const char* what;
    const char* from;
    qint64 least = 0;
    qint64 most = 0;
};

// What every shop the tools write holds, whatever its size.
const QList<RowCheck> TradeInvariants = {
    {"open line not out", "Order_Details d JOIN Items i USING (ItemID) "
                          "WHERE d.RentStatus = '0' AND i.Status <> '1'"},
    {"out without one open line",
     "Items i WHERE Status = '1' AND (SELECT count(*) FROM Order_Details d "
     "WHERE d.ItemID = i.ItemID AND d.RentStatus = '0') <> 1"},
    {"charged wrongly", "Order_Payment WHERE ChargeAmt <> "
                        "CASE WHEN PayType = '3' THEN 0 ELSE UnitRate * Quantity END"},
    {"returned but owing",
     "Order_Payment p JOIN Order_Details d USING (OrderIdx) WHERE d.RentStatus = '1' "
     "AND (p.PayStatus <> 'Y' OR p.SettleDate = '2222-01-01')"},
    {"lines without charge", "Order_Details d WHERE NOT EXISTS "
                             "(SELECT 1 FROM Order_Payment p WHERE p.OrderIdx = d.OrderIdx)"},
    {"lines without order",
     "Order_Details d WHERE NOT EXISTS (SELECT 1 FROM Orders o WHERE o.OrderID = d.OrderID)"},
    {"two open orders", "(SELECT o.CustomerID FROM Orders o JOIN Order_Details d USING (OrderID) "
                        "WHERE d.RentStatus = '0' GROUP BY o.CustomerID "
                        "HAVING count(DISTINCT o.OrderID) > 1)"},
    {"counters not past every number",
     "SerialNo WHERE OrderID = (SELECT max(CAST(OrderID AS INTEGER)) + 1 FROM Orders) AND "
     "OrderIdx = (SELECT max(CAST(OrderIdx AS INTEGER)) + 1 FROM Order_Details) AND "
     "ProductID = (SELECT max(CAST(ProductID AS INTEGER)) + 1 FROM Products) AND "
     "AdjustID = (SELECT max(CAST(AdjustID AS INTEGER)) + 1 FROM AcctAdjust)",
     1, 1},
    {"sales of copies", "Sales s WHERE NOT EXISTS (SELECT 1 FROM Items i WHERE "
                        "i.ItemID = s.RateID AND i.Status = '4')"},
};

const QDate LeapDay(2024, 2, 29), NewYear(2023, 1, 3);

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
    {"credits and debits each 1 to 10",
     "(SELECT 1 FROM AcctAdjust GROUP BY AdjustAmt > 0 HAVING count(*) <= 10)", 2, 2},
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

const WorkingFileSpec Plain{QDateTime(QDate(2024, 3, 1), QTime(9, 30)), {}, {}};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every table. What the base rows hold, every test shop holds too.
const QStringList BaseRows =
    QStringLiteral("ItemStatus PaymentType OpCode SerialNo RptDailyTx Category ShopInfo Customers "
                   "Orders Order_Details Order_Payment Products Items Sales AcctAdjust Cust_Temp "
                   "Item_Temp")
        .split(' ');

// name, runs, median ms, worst ms, target ms, peak MB, limit MB, verdict.
const QRegularExpression OperationLine(QStringLiteral(
    R"(^\S.*\S\s+\d+\s+\d+\.\d{3}\s+\d+\.\d{3}\s+[\d.]+\s+(\d+\.\d{3}|-)\s+(\d+\.\d\d(/[\d.]+)?|-))"
    R"(\s+\d+\.\d\s+(\d+|-)\s+(ok|MISSED)$)"));
const QRegularExpression
    MemoryLine(QStringLiteral(R"(^peak memory\s+(\d+\.\d)\s+200\s+(ok|MISSED)$)"));

// The shop's own tables; the work tables and the summary row are the benchmark's to rewrite.
const QStringList TradeTables = QStringLiteral("Customers Orders Order_Details Order_Payment Items "
                                               "Products Sales AcctAdjust SerialNo")
                                    .split(' ');

// A new database on the test cluster, by its address; none without a cluster.
QString serverShop(const QString& name) {
    const QString cluster = qEnvironmentVariable("VORMEL_TEST_PGHOST");
    const QString db =
        QString("vormel_tools_%1_%2").arg(name).arg(QCoreApplication::applicationPid());
    if (cluster.isEmpty() || !TestDb::onServerAdmin("CREATE DATABASE " + db).isEmpty())
        return {};
    return QString("postgresql://postgres@/%1?host=%2").arg(db, cluster);
}

// How many rows of `tables` differ between the files `file` and `original`.
qint64 changedRows(const QString& file, const QString& original,
                   const QStringList& tables = TradeTables) {
    CreatedFile copy(file);
    if (!copy.db->exec("ATTACH DATABASE ? AS o", {original}, "test"))
        return -1;
    qint64 changed = 0;
    for (const QString& t : tables)
        changed += copy.count("(SELECT * FROM " + t + " EXCEPT SELECT * FROM o." + t + ")") +
                   copy.count("(SELECT * FROM o." + t + " EXCEPT SELECT * FROM " + t + ")");
    return changed;
}

} // namespace

// vormel-db: the working file it makes, the demo shop on any day, a generated shop of any
// size, and its command line; vormel-bench: a line for each operation it times, on a copy of
// the shop it is given.
class Test_tools : public QObject {
    Q_OBJECT

    // The demo on two days, a generated shop, a shop without trade.
    QList<std::shared_ptr<CreatedFile>> m_shops;
    // Large enough that a copy of it takes a moment.
    std::shared_ptr<CreatedFile> m_large;
    // What a generated shop says it wrote; the tests read the shops themselves instead.
    shop::RowCounts m_written;
    const QList<QList<RowCheck>> shapes = {DemoShape + TradeInvariants, DemoShape + TradeInvariants,
                                           GeneratedShape + TradeInvariants};

private slots:
    void initTestCase() {
        m_shops = {std::make_shared<CreatedFile>(demoSpec(LeapDay)),
                   std::make_shared<CreatedFile>(demoSpec(NewYear)),
                   std::make_shared<CreatedFile>(generatedSpec(tinyShop(), m_written)),
                   std::make_shared<CreatedFile>(Plain)};
        m_large = std::make_shared<CreatedFile>(
            generatedSpec({.members = 2000, .titles = 100, .copies = 400, .years = 1}, m_written));
        for (const auto& f : m_shops) {
            QVERIFY2(f->opened, qPrintable(f->error));
            QVERIFY(f->messages.boxes.isEmpty());
            QCOMPARE(filesIn(f->dir.path()), QStringList{Connection::LiveFile});
        }
    }

    void hasThePromisedShape_data() {
        const Cases<int, int> add;
        const char* names[] = {"leap day", "new year", "generated"};
        for (int shop = 0; shop < 3; ++shop)
            for (int check = 0; check < shapes[shop].size(); ++check)
                add(qPrintable(QString("%1: %2").arg(names[shop], shapes[shop][check].what)), shop,
                    check);
    }
    void hasThePromisedShape() {
        const auto [shop, check] = Cases<int, int>::fetch();
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
        QCOMPARE(bytesOf(CreatedFile(demoSpec(LeapDay)).path()), bytesOf(m_shops[0]->path()));
        QVERIFY(bytesOf(CreatedFile(generatedSpec(tinyShop(8), m_written)).path()) !=
                bytesOf(m_shops[2]->path()));
    }

    void holdsExactlyTheBaseRows() {
        CreatedFile& file = *m_shops[3];
        QStringList counts;
        for (const QString& from : BaseRows)
            counts << QString::number(file.count(from));
        QCOMPARE(counts.join(' '), "5 4 1 1 1 1 0 0 0 0 0 0 0 0 0 0 0");
    }

    // Neither a file that was there before nor one that appears while the new one is being
    // written is replaced; whatever else goes wrong, the folder ends as it began.
    void failsLeavingTheFolderAsItWas_data() {
        QTest::addColumn<int>("failure");
        int failure = 0;
        // A file there before is the tool's row below.
        for (const char* name :
             {"file appearing meanwhile", "demo fails half way", "folder missing"})
            QTest::newRow(name) << failure++;
    }
    void failsLeavingTheFolderAsItWas() {
        QFETCH(int, failure);
        QTemporaryDir dir;
        const QString name = failure == 2 ? "missing/Flicka.mdb" : "Flicka.mdb";
        const QString path = dir.filePath(name);
        const QByteArray theirs = "someone's data";
        WorkingFileSpec spec = Plain;
        if (failure == 0)
            spec.fill = [&](Connection&) { return writeFile(path, theirs); };
        if (failure == 1)
            spec.fill = [](Connection& db) {
                return db.exec("UPDATE SerialNo SET AdjustID = NULL", {}, "t") &&
                       addDemoShop(db, LeapDay);
            };
        ScriptedMessages messages;
        QString error;
        QVERIFY(!createWorkingFile(path, spec, messages, error));
        const bool taken = failure == 0;
        QCOMPARE(error == path + QStringLiteral(" already exists"), taken);
        QVERIFY(!error.isEmpty());
        QCOMPARE(bytesOf(path), taken ? theirs : QByteArray());
        QCOMPARE(filesIn(dir.path()), taken ? QStringList{name} : QStringList());
    }

    // Arguments that do not make one command.
    void commandLineRefused_data() {
        QTest::addColumn<QStringList>("args");
        for (const char* args :
             {"", "create", "generate --seed 2", "create --fast Flicka.mdb", "create a.mdb b.mdb",
              "copy a.mdb", "copy --shop-name S a.mdb b.mdb",
              "generate --titles 10 --copies 9 x.mdb", "generate --years five x.mdb",
              "generate --years 21 x.mdb", "generate --demo x.mdb", "create --members 10 x.mdb"})
            QTest::newRow(args) << QString::fromLatin1(args).split(' ', Qt::SkipEmptyParts);
    }
    void commandLineRefused() {
        QFETCH(QStringList, args);
        QVERIFY(!parseDbCommand(QStringList{"vormel-db"} + args));
    }

    // What the tools answer: the usage on a wrong command line, the reason when a file could
    // not be made or used (leaving the folder as it was), a demo file under the name asked
    // for, and a generated shop of every size and the seed given, saying what it wrote. Each
    // row is: tool and arguments, what Flicka.mdb holds before, exit code, start of what it
    // said.
    void tool_data() {
        QTest::addColumn<QString>("row");
        QString generated("shop.mdb: trade from 2024-07-01 to 2025-06-30; %1 members, %2 titles, "
                          "%3 copies, %4 orders, %5 order lines, %6 charges, %7 sales, %8 "
                          "adjustments; ");
        for (const char* from : {"Customers", "Products", "Items", "Orders", "Order_Details",
                                 "Order_Payment", "Sales", "AcctAdjust"})
            generated = generated.arg(m_shops[2]->count(from));
        for (const QString& row : QStringList{
                 "vormel-db make Flicka.mdb||2|usage: vormel-db create",
                 "vormel-db create Flicka.mdb|mine|1|Flicka.mdb already exists",
                 "vormel-db copy Flicka.mdb Flicka.mdb|no trade|1|Flicka.mdb already exists",
                 "vormel-db create --demo --shop-name 影視店 Flicka.mdb||0|",
                 "vormel-db generate --members 150 --titles 40 --copies 160 --years 1 --seed 7 "
                 "shop.mdb||0|" +
                     generated,
                 "vormel-bench a.mdb b.mdb|no trade|2|usage: vormel-bench FILE",
                 "vormel-bench none.mdb||1|vormel-bench: none.mdb: no such file",
                 "vormel-bench Flicka.mdb|no trade|1|vormel-bench: the file holds no trade"})
            QTest::newRow(qPrintable(row.section('|', 0, 0))) << row;
    }
    void tool() {
        QFETCH(QString, row);
        const QStringList c = row.split('|');
        QStringList args = c[0].split(' ');
        const QString program = args.takeFirst() == "vormel-db" ? DbTool : BenchTool;
        const QByteArray before = c[1] == "no trade" ? bytesOf(m_shops[3]->path()) : c[1].toUtf8();
        const int exitCode = c[2].toInt();
        QTemporaryDir dir;
        const QString ours = dir.filePath(Connection::LiveFile);
        QVERIFY(before.isEmpty() || writeFile(ours, before));
        const QStringList folder = filesIn(dir.path());
        const ToolRun run = runTool(program, args, dir.path());
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(exitCode ? run.out : run.err, QString());
        QCOMPARE((exitCode ? run.err : run.out).left(c[3].size()), c[3]);
        if (exitCode) {
            QCOMPARE(filesIn(dir.path()), folder);
            QCOMPARE(bytesOf(ours), before);
        } else if (args.first() == "generate") {
            QVERIFY(bytesOf(dir.filePath(args.last())) == bytesOf(m_shops[2]->path()));
        } else {
            CreatedFile demo(ours);
            QCOMPARE(GetShopName(*demo.db), QStringLiteral("影視店"));
            QVERIFY(demo.count("Customers") > 0 && demo.messages.boxes.isEmpty());
        }
    }

    // An older file gains what it lacks once, the name index filled from its members; a file
    // that another program holds locked is refused and left as it was.
    void upgradeAddsWhatAnOlderFileLacks() {
        QTemporaryDir dir;
        const QString old = dir.filePath("old.mdb");
        QVERIFY(QFile::copy(m_shops[2]->path(), old));
        for (const char* older :
             {"DROP TRIGGER Customers_Names_Insert", "DROP TRIGGER Customers_Names_Delete",
              "DROP TRIGGER Customers_Names_Update", "DROP TABLE Customers_Names",
              "DROP INDEX Order_Details_Open", "PRAGMA user_version = 0",
              "CREATE INDEX Order_Details_EndDate ON Order_Details (EndDate)"})
            QCOMPARE(onOwnConnection(old, older), "");
        QVERIFY(QFile::copy(old, dir.filePath("held.mdb")));
        // Read before the lock is taken: closing any descriptor of a file drops this process's
        // locks on it.
        const QByteArray held = bytesOf(dir.filePath("held.mdb"));
        QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
        holder.setDatabaseName(dir.filePath("held.mdb"));
        QVERIFY(holder.open());
        QSqlQuery hold(holder);
        QVERIFY(hold.exec("BEGIN IMMEDIATE"));
        for (const QString row : {"old.mdb|0|old.mdb: upgraded to schema version 1",
                                  "old.mdb|0|old.mdb: already at schema version 1; nothing",
                                  "held.mdb|1|held.mdb: cannot open it"}) {
            const QStringList c = row.split('|');
            const QByteArray before = c[0] == "held.mdb" ? held : bytesOf(dir.filePath(c[0]));
            const ToolRun run = runTool(DbTool, {"upgrade", c[0]}, dir.path());
            QCOMPARE(run.exitCode, c[1].toInt());
            QVERIFY2((run.out + run.err).contains(c[2]), qPrintable(run.out + run.err));
            QCOMPARE(bytesOf(dir.filePath(c[0])) == before, !c[2].contains("upgraded"));
        }
        QCOMPARE(onOwnConnection(old, "SELECT count(*) FROM Customers_Names_docsize"),
                 QString::number(m_shops[2]->count("Customers")));
    }

    // The visit writes are rolled back, and nothing is left beside the file, whatever its name.
    void benchTimesEachOperation_data() { selfNamedRows({"shop.mdb", "Flicka.mdb"}); }
    void benchTimesEachOperation() {
        QFETCH(QString, row);
        const QString& name = row;
        QTemporaryDir dir;
        QVERIFY(QFile::copy(m_shops[2]->path(), dir.filePath(name)));
        const ToolRun run = runTool(BenchTool, {name}, dir.path());
        QVERIFY2(run.exitCode == 0 || run.exitCode == 3, qPrintable(run.err));
        QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(MemoryLine.match(lines.takeLast()).hasMatch(), qPrintable(run.out));
        const qsizetype heading = lines.indexOf(QRegularExpression(QStringLiteral("operation .*")));
        QVERIFY(heading > 0 && heading + 1 < lines.size());
        for (const QString& line : lines.mid(heading + 1))
            QVERIFY2(OperationLine.match(line).hasMatch(), qPrintable(line));
        QCOMPARE(changedRows(dir.filePath(name), m_shops[2]->path()), 0);
        QCOMPARE(filesIn(dir.path()), QStringList{name});
    }

    // Every row of every table arrives as it was (Chinese names, NULLs, integers, a double),
    // on a server and back too.
    void copyKeepsEveryRow_data() {
        QTest::addColumn<QStringList>("through");
        QTest::newRow("file to file") << QStringList{};
        if (const QString server = serverShop("copy"); !server.isEmpty())
            QTest::newRow("file to server to file") << QStringList{server};
    }
    void copyKeepsEveryRow() {
        QFETCH(QStringList, through);
        CreatedFile demo(m_shops[0]->path());
        QVERIFY(demo.db->exec("INSERT INTO Order_Payment (OrderIdx, Discount) VALUES (?, ?)",
                              {"X", 0.1 + 0.2}, "test"));
        const QStringList places =
            QStringList{demo.path()} + through + QStringList{demo.dir.filePath("back.mdb")};
        for (qsizetype i = 0; i + 1 < places.size(); ++i) {
            const ToolRun run =
                runTool(DbTool, {"copy", places[i], places[i + 1]}, demo.dir.path());
            QVERIFY2(run.exitCode == 0 && run.out.contains("Order_Payment: "), qPrintable(run.err));
        }
        QStringList all;
        for (const SchemaTable& t : schemaTables())
            all << t.name;
        QCOMPARE(changedRows(places.last(), demo.path(), all), 0);
    }

    // A killed copy leaves nothing under the destination's name, nor tables on a server: the
    // next try simply copies.
    void copyAgainAfterAKill_data() {
        QTest::addColumn<QString>("destination");
        QTest::newRow("file") << "copy.mdb";
        if (const QString server = serverShop("killed"); !server.isEmpty())
            QTest::newRow("server") << server;
    }
    void copyAgainAfterAKill() {
        QFETCH(QString, destination);
        QTemporaryDir dir;
        QProcess copy;
        copy.setWorkingDirectory(dir.path());
        copy.start(DbTool, {"copy", m_large->path(), destination});
        QVERIFY(copy.waitForReadyRead(60000));
        copy.kill();
        QVERIFY(copy.waitForFinished() && copy.exitStatus() == QProcess::CrashExit);
        QVERIFY(!QFile::exists(dir.filePath(destination)));
        const ToolRun again = runTool(DbTool, {"copy", m_large->path(), destination}, dir.path());
        QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    }

    // Two counters for a few seconds, one of them killed now and then: the check of the whole
    // shop afterwards finds nothing wrong, on a file and on a server.
    void countersLeaveTheShopSound_data() {
        QTest::addColumn<QString>("place");
        QTest::newRow("file") << QString();
        if (const QString server = serverShop("counters"); !server.isEmpty())
            QTest::newRow("server") << server;
    }
    void countersLeaveTheShopSound() {
        QFETCH(QString, place);
        QTemporaryDir dir;
        const QString shop = place.isEmpty() ? dir.filePath("Flicka.mdb") : place;
        QCOMPARE(runTool(DbTool, {"create", "--demo", shop}, dir.path()).exitCode, 0);
        const ToolRun run =
            runTool(BenchTool, {"--counters", "2", "--seconds", "5", "--kill-every", "2000", shop},
                    dir.path());
        const QString said = run.out + run.err;
        QVERIFY2(run.exitCode == 0 && run.out.endsWith("\n0 violations\n"), qPrintable(said));
        QVERIFY2(!run.out.contains("visits saved: 0 "), qPrintable(said));
    }

    // A demo made on a server copies to another server and is refused as a destination;
    // a copy of it hands out member numbers past the copied ones.
    void demoOnAServer() {
        const QStringList shops = {serverShop("demo"), serverShop("demo_copy")};
        if (shops[0].isEmpty())
            QSKIP("no test cluster (VORMEL_TEST_PGHOST)");
        const auto tool = [](const QStringList& args) {
            return runTool(DbTool, args, QDir::tempPath());
        };
        QCOMPARE(tool({"create", "--demo", shops[0]}).exitCode, 0);
        QCOMPARE(tool({"copy", shops[0], shops[1]}).exitCode, 0);
        const ToolRun refused = tool({"copy", m_shops[0]->path(), shops[0]});
        QVERIFY2(refused.exitCode == 1 && refused.err.contains("already holds a shop"),
                 qPrintable(refused.err));
        QString error;
        ScriptedMessages messages;
        Connection copy(messages, *ShopPlace::fromAddress(shops[1], error));
        QVERIFY(copy.OpenDatabase());
        QVERIFY(copy.exec("INSERT INTO Customers (CustomerID) VALUES (?)", {"999999"}, "test"));
        auto members = copy.run("SELECT count(*) FROM Customers", {}, "test");
        QVERIFY(members && members->next() && members->value(0).toInt() > 1);
    }
};

QTEST_GUILESS_MAIN(Test_tools)
#include "tst_tools.moc"
