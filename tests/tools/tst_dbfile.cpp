#include "CreatedFile.h"
#include "ToolRun.h"
#include "serials.h"
#include "shopinfo.h"

#include <QDir>
#include <QTest>

namespace {

const QDateTime Created(QDate(2024, 3, 1), QTime(9, 30));

WorkingFileSpec plainSpec() {
    return WorkingFileSpec{Created, {}, {}};
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

ToolRun runDbTool(const QStringList& args, const QString& folder) {
    return runTool(QStringLiteral(VORMEL_DB_TOOL), args, folder);
}

QStringList codesOf(const OpCodeRec& r) {
    return {r.AddItem,       r.FreeItem,         r.DeleteItem, r.EditItem, r.ReturnItem,
            r.RenewItemCash, r.RenewItemArrears, r.BadItem,    r.SalesItem};
}

} // namespace

class Test_dbfile : public QObject {
    Q_OBJECT

private slots:
    void holdsExactlyTheBaseRows() {
        CreatedFile file(plainSpec());
        QVERIFY2(file.created, qPrintable(file.error));
        QVERIFY(file.opened);
        QCOMPARE(folderEntries(file.dir.path()), QStringList{Connection::LiveFile});
        const QList<std::pair<QString, qint64>> expected = {
            {"ItemStatus", 5}, {"PaymentType", 4},   {"OpCode", 1},        {"SerialNo", 1},
            {"RptDailyTx", 1}, {"Category", 1},      {"ShopInfo", 0},      {"Customers", 0},
            {"Orders", 0},     {"Order_Details", 0}, {"Order_Payment", 0}, {"Products", 0},
            {"Items", 0},      {"Sales", 0},         {"AcctAdjust", 0},    {"Cust_Temp", 0},
            {"Item_Temp", 0}};
        QStringList counts, wanted;
        for (const auto& [table, rows] : expected) {
            counts << table + ' ' + QString::number(file.count("SELECT count(*) FROM " + table));
            wanted << table + ' ' + QString::number(rows);
        }
        QCOMPARE(counts, wanted);
        // Every code is named; the one category can be rented.
        const QList<std::pair<QString, QString>> codes = {{"ItemStatus", "0,1,2,3,4"},
                                                          {"PaymentType", "0,1,2,3"}};
        for (const auto& [table, ids] : codes)
            QCOMPARE(file.scalar("SELECT group_concat(ID) FROM (SELECT ID FROM " + table +
                                 " WHERE Name <> '' ORDER BY ID)")
                         .toString(),
                     ids);
        QCOMPARE(file.count("SELECT count(*) FROM Category WHERE CategoryID = 'V' AND "
                            "RentUnitRate > 0 AND RentUnitDays BETWEEN 1 AND 7"),
                 1);
        OpCodeRec opCodes;
        QVERIFY(GetOpCodes(*file.db, opCodes));
        QCOMPARE(codesOf(opCodes), codesOf(OpCodeRec::defaults()));
        for (const char* counter : {"OrderIdx", "OrderID", "ProductID", "AdjustID"})
            QCOMPARE(GetSerialNo(*file.db, counter), QStringLiteral("000001"));
        QVERIFY(file.messages.boxes.isEmpty());
    }

    // Neither a file that was there before nor one that appears while the new one is being
    // written is replaced.
    void neverReplacesAFile_data() {
        QTest::addColumn<bool>("meanwhile");
        QTest::newRow("there before") << false;
        QTest::newRow("appearing meanwhile") << true;
    }
    void neverReplacesAFile() {
        QFETCH(bool, meanwhile);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Flicka.mdb"));
        static const char bytes[] = "someone's data\0\x01\x02 kept";
        const QByteArray theirs(bytes, sizeof bytes - 1);
        WorkingFileSpec spec = plainSpec();
        if (meanwhile)
            spec.fill = [&](Connection&) { return writeFile(path, theirs); };
        else
            QVERIFY(writeFile(path, theirs));
        ScriptedMessages messages;
        QString error;
        QVERIFY(!createWorkingFile(path, spec, messages, error));
        QCOMPARE(error, path + QStringLiteral(" already exists"));
        QCOMPARE(readAll(path), theirs);
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("Flicka.mdb")});
    }

    // Whatever goes wrong, the folder ends as it began: no file, no temporary left over.
    void leavesNothingBehindOnFailure_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fillFails");
        QTest::newRow("folder missing") << "missing/Flicka.mdb" << false;
        QTest::newRow("rows fail half way") << "Flicka.mdb" << true;
    }
    void leavesNothingBehindOnFailure() {
        QFETCH(QString, name);
        QFETCH(bool, fillFails);
        QTemporaryDir dir;
        WorkingFileSpec spec = plainSpec();
        if (fillFails) {
            spec.fill = [](Connection& db) {
                return db.exec("INSERT INTO Customers (CustomerID) VALUES ('000001')", {}, "t") &&
                       db.exec("INSERT INTO NoSuchTable VALUES (1)", {}, "t");
            };
        }
        ScriptedMessages messages;
        QString error;
        QVERIFY(!createWorkingFile(dir.filePath(name), spec, messages, error));
        QVERIFY(!error.isEmpty());
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }

    void toolRefusesAnExistingFile() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("shop.mdb")), "mine"));
        const ToolRun run = runDbTool({"create", "shop.mdb"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.trimmed(), QStringLiteral("shop.mdb already exists"));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("shop.mdb"))), QByteArray("mine"));
    }

    void toolAnswersUsageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("no file") << QStringList{"create"};
        QTest::newRow("unknown command") << QStringList{"make", "Flicka.mdb"};
        QTest::newRow("unknown option") << QStringList{"create", "--fast", "Flicka.mdb"};
        QTest::newRow("name without value") << QStringList{"create", "Flicka.mdb", "--shop-name"};
        QTest::newRow("two files") << QStringList{"create", "a.mdb", "b.mdb"};
    }
    void toolAnswersUsageErrors() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const ToolRun run = runDbTool(args, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.startsWith(QStringLiteral("usage: vormel-db create")));
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }

    void toolMakesADemoFile() {
        QTemporaryDir dir;
        const ToolRun run = runDbTool(
            {"create", "--demo", "--shop-name", QStringLiteral("影視 SHOP"), "Flicka.mdb"},
            dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        ScriptedMessages messages;
        Connection db(messages, dir.path());
        QVERIFY(db.OpenDatabase());
        QCOMPARE(GetShopName(db), QStringLiteral("影視 SHOP"));
        auto q = db.run(QStringLiteral("SELECT count(*) FROM Customers"), {}, "test");
        QVERIFY(q && q->next() && q->value(0).toInt() > 0);
        QVERIFY(messages.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_dbfile)
#include "tst_dbfile.moc"
