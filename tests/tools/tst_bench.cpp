#include "CreatedFile.h"
#include "ToolRun.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QTest>

namespace {

// name, runs, median ms, worst ms, target ms, peak MB, limit MB, verdict.
const QRegularExpression OperationLine(QStringLiteral(
    R"(^\S.*\S\s+\d+\s+\d+\.\d{3}\s+\d+\.\d{3}\s+\d+\s+\d+\.\d\s+(\d+|-)\s+(ok|MISSED)$)"));
const QRegularExpression
    MemoryLine(QStringLiteral(R"(^peak memory\s+(\d+\.\d)\s+200\s+(ok|MISSED)$)"));

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

// vormel-bench: a line for each operation it times, on a copy of the shop it is given.
class Test_bench : public QObject {
    Q_OBJECT

private slots:
    void printsOneLinePerOperation_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"shop.mdb", "Flicka.mdb"})
            QTest::newRow(name) << name;
    }
    void printsOneLinePerOperation() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const GenerateOptions o{.members = 120, .titles = 30, .copies = 120, .years = 1};
        shop::RowCounts written;
        ScriptedMessages messages;
        QString error;
        QVERIFY(createWorkingFile(dir.filePath(name), generatedSpec(o, written), messages, error));
        const QStringList before = tradeRows(dir.filePath(name));
        QVERIFY(before.size() > 1000);
        const ToolRun run = bench({name}, dir.path());
        QVERIFY2(run.exitCode == 0 || run.exitCode == 3, qPrintable(run.err));
        QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(MemoryLine.match(lines.takeLast()).hasMatch(), qPrintable(run.out));
        const qsizetype heading = lines.indexOf(QRegularExpression(QStringLiteral("operation .*")));
        QVERIFY(heading > 0 && heading + 1 < lines.size());
        for (const QString& line : lines.mid(heading + 1))
            QVERIFY2(OperationLine.match(line).hasMatch(), qPrintable(line));
        // The visit writes were rolled back, and nothing is left beside the file.
        QCOMPARE(tradeRows(dir.filePath(name)), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{name});
    }

    void answersAFileItCannotUse_data() {
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << "" << 2 << "usage: vormel-bench FILE";
        QTest::newRow("two files") << "a.mdb b.mdb" << 2 << "usage: vormel-bench FILE";
        QTest::newRow("missing") << "none.mdb" << 1 << "vormel-bench: none.mdb: no such file";
        QTest::newRow("no trade") << "Flicka.mdb" << 1 << "vormel-bench: the file holds no trade";
    }
    void answersAFileItCannotUse() {
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const CreatedFile noTrade({QDateTime(QDate(2024, 1, 2), QTime(9, 0)), {}, {}});
        const ToolRun run = bench(args.split(' ', Qt::SkipEmptyParts), noTrade.dir.path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(Test_bench)
#include "tst_bench.moc"
