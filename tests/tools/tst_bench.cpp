#include "CreatedFile.h"
#include "ToolRun.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QTest>

#include <algorithm>

namespace {

// Each operation as "name | runs | memory limit" ("-" for none), in the order printed.
const QStringList Operations = {"find member by number | 20 | -",
                                "find member by name fragment | 20 | -",
                                "open a visit | 20 | -",
                                "item rate | 20 | -",
                                "visit writes, rolled back | 20 | -",
                                "one-day summary | 20 | -",
                                "one-month summary | 20 | -",
                                "rebuild Cust_Temp | 20 | -",
                                "rebuild Item_Temp | 20 | -",
                                "month summary and its preview | 10 | -",
                                "rptAcctAdjust, a month, laid out | 10 | -",
                                "rptSales, a month, laid out | 10 | -",
                                "rptRent, a month, laid out | 10 | -",
                                "rptRentByTxn, a month, laid out | 10 | -",
                                "rptOSItem, last day, laid out | 10 | -",
                                "rptRent, a month, to PDF | 10 | -",
                                "rptAllItems, whole shop, to PDF | 5 | 100",
                                "rptAllCustomers, whole shop, to PDF | 5 | 100"};

// name, runs, median ms, worst ms, target ms, peak MB, limit MB, verdict.
const QRegularExpression OperationLine(QStringLiteral(
    R"(^(\S.*\S)\s+(\d+)\s+(\d+\.\d{3})\s+(\d+\.\d{3})\s+(\d+)\s+(\d+\.\d)\s+(\d+|-)\s+(ok|MISSED)$)"));
const QRegularExpression
    MemoryLine(QStringLiteral(R"(^peak memory\s+(\d+\.\d)\s+200\s+(ok|MISSED)$)"));

// A small generated shop, made as `name` in `folder`.
bool makeShop(const QString& folder, const QString& name) {
    GenerateOptions o;
    o.members = 120;
    o.titles = 30;
    o.copies = 120;
    o.years = 1;
    shop::RowCounts written;
    ScriptedMessages messages;
    QString error;
    return createWorkingFile(QDir(folder).filePath(name), generatedSpec(o, written), messages,
                             error);
}

ToolRun bench(const QStringList& args, const QString& folder) {
    return runTool(QStringLiteral(VORMEL_BENCH_TOOL), args, folder);
}

// The shop's own rows of `file`, read from a copy, sorted; the work tables and the summary
// row are the benchmark's to rewrite.
QStringList tradeRows(const QString& file) {
    QTemporaryDir copy;
    ScriptedMessages messages;
    Connection db(messages, copy.path());
    QStringList rows;
    if (!QFile::copy(file, copy.filePath(Connection::LiveFile)) || !db.OpenDatabase())
        return rows;
    for (const QString table : {"Customers", "Orders", "Order_Details", "Order_Payment", "Items",
                                "Products", "Sales", "AcctAdjust", "SerialNo"}) {
        auto q = db.run("SELECT * FROM " + table, {}, "test");
        while (q && q->next()) {
            QStringList values{table};
            for (int i = 0; i < q->columns(); ++i)
                values << q->value(i).toString();
            rows << values.join(QLatin1Char('|'));
        }
    }
    rows.sort();
    return rows;
}

} // namespace

class Test_bench : public QObject {
    Q_OBJECT

private slots:
    void printsOneLinePerOperation_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("any file name") << "shop.mdb";
        QTest::newRow("the live file name") << "Flicka.mdb";
    }
    void printsOneLinePerOperation() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(makeShop(dir.path(), name));
        const QStringList before = tradeRows(dir.filePath(name));
        QVERIFY(before.size() > 1000);
        const ToolRun run = bench({name}, dir.path());
        QVERIFY2(run.exitCode == 0 || run.exitCode == 3, qPrintable(run.err));
        QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const auto heading = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
            return line.startsWith(QStringLiteral("operation "));
        });
        QVERIFY(heading != lines.begin() && heading != lines.end());
        QVERIFY2(MemoryLine.match(lines.takeLast()).hasMatch(), qPrintable(run.out));
        QStringList printed;
        for (const QString& line : lines.mid(heading - lines.begin() + 1)) {
            const QRegularExpressionMatch m = OperationLine.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            printed << QStringList{m.captured(1), m.captured(2), m.captured(7)}.join(" | ");
        }
        QCOMPARE(printed, Operations);
        // The visit writes were rolled back, and nothing is left beside the file.
        QCOMPARE(tradeRows(dir.filePath(name)), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{name});
    }

    void answersAFileItCannotUse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList() << 2 << "usage: vormel-bench FILE";
        QTest::newRow("two files")
            << QStringList{"a.mdb", "b.mdb"} << 2 << "usage: vormel-bench FILE";
        QTest::newRow("missing") << QStringList{"none.mdb"} << 1
                                 << "vormel-bench: none.mdb: no such file";
    }
    void answersAFileItCannotUse() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const ToolRun run = bench(args, dir.path());
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.err.trimmed(), message);
        QCOMPARE(run.out, QString());
    }

    void refusesAShopWithoutTrade() {
        QTemporaryDir dir;
        ScriptedMessages messages;
        QString error;
        const WorkingFileSpec noTrade{QDateTime(QDate(2024, 1, 2), QTime(9, 0)), {}, {}};
        QVERIFY(createWorkingFile(dir.filePath(Connection::LiveFile), noTrade, messages, error));
        const ToolRun run = bench({Connection::LiveFile}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.startsWith(QStringLiteral("vormel-bench: the file holds no trade")));
    }
};

QTEST_GUILESS_MAIN(Test_bench)
#include "tst_bench.moc"
