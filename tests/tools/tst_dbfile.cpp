#include "CreatedFile.h"
#include "ToolRun.h"
#include "serials.h"
#include "shopinfo.h"

#include <QDir>
#include <QFile>
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

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

ToolRun runDbTool(const QStringList& args, const QString& folder) {
    return runTool(QStringLiteral(VORMEL_DB_TOOL), args, folder);
}

} // namespace

class Test_dbfile : public QObject {
    Q_OBJECT

private slots:
    void opensWithoutAnyBox() {
        CreatedFile file(plainSpec());
        QVERIFY2(file.created, qPrintable(file.error));
        QVERIFY(file.opened);
        QVERIFY(file.messages.boxes.isEmpty());
        QCOMPARE(folderEntries(file.dir.path()), QStringList{Connection::LiveFile});
    }

    void holdsExactlyTheBaseRows_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<qint64>("rows");
        const QList<std::pair<const char*, qint64>> expected = {
            {"ItemStatus", 5}, {"PaymentType", 4},   {"OpCode", 1},        {"SerialNo", 1},
            {"RptDailyTx", 1}, {"Category", 1},      {"ShopInfo", 0},      {"Customers", 0},
            {"Orders", 0},     {"Order_Details", 0}, {"Order_Payment", 0}, {"Products", 0},
            {"Items", 0},      {"Sales", 0},         {"AcctAdjust", 0},    {"Cust_Temp", 0},
            {"Item_Temp", 0}};
        for (const auto& [table, rows] : expected)
            QTest::newRow(table) << QString::fromLatin1(table) << rows;
    }
    void holdsExactlyTheBaseRows() {
        QFETCH(QString, table);
        QFETCH(qint64, rows);
        CreatedFile file(plainSpec());
        QVERIFY(file.opened);
        QCOMPARE(file.count(QStringLiteral("SELECT count(*) FROM ") + table), rows);
    }

    void namesEveryCode_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("ids");
        QTest::newRow("item statuses") << "ItemStatus"
                                       << "0,1,2,3,4";
        QTest::newRow("payment types") << "PaymentType"
                                       << "0,1,2,3";
    }
    void namesEveryCode() {
        QFETCH(QString, table);
        QFETCH(QString, ids);
        CreatedFile file(plainSpec());
        QVERIFY(file.opened);
        QCOMPARE(file.scalar(QStringLiteral("SELECT group_concat(ID) FROM (SELECT ID FROM ") +
                             table + QStringLiteral(" ORDER BY ID)"))
                     .toString(),
                 ids);
        QCOMPARE(file.count(QStringLiteral("SELECT count(*) FROM ") + table +
                            QStringLiteral(" WHERE Name IS NULL OR Name = ''")),
                 0);
    }

    void startsWithDefaultCodesAndCounters() {
        CreatedFile file(plainSpec());
        QVERIFY(file.opened);
        OpCodeRec codes;
        QVERIFY(GetOpCodes(*file.db, codes));
        const OpCodeRec defaults = OpCodeRec::defaults();
        QCOMPARE(QStringList({codes.AddItem, codes.FreeItem, codes.DeleteItem, codes.EditItem,
                              codes.ReturnItem, codes.RenewItemCash, codes.RenewItemArrears,
                              codes.BadItem, codes.SalesItem}),
                 QStringList({defaults.AddItem, defaults.FreeItem, defaults.DeleteItem,
                              defaults.EditItem, defaults.ReturnItem, defaults.RenewItemCash,
                              defaults.RenewItemArrears, defaults.BadItem, defaults.SalesItem}));
        for (const char* counter : {"OrderIdx", "OrderID", "ProductID", "AdjustID"})
            QCOMPARE(GetSerialNo(*file.db, QString::fromLatin1(counter)), QStringLiteral("000001"));
        QVERIFY(file.messages.boxes.isEmpty());
    }

    void hasTheVideoCategory() {
        CreatedFile file(plainSpec());
        QVERIFY(file.opened);
        QCOMPARE(file.scalar(QStringLiteral("SELECT CategoryID FROM Category")).toString(),
                 QStringLiteral("V"));
        QVERIFY(file.count(QStringLiteral("SELECT RentUnitRate FROM Category")) > 0);
        const qint64 days = file.count(QStringLiteral("SELECT RentUnitDays FROM Category"));
        QVERIFY(days >= 1 && days <= 7);
    }

    void storesTheShopName_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("latin") << "VORMEL VIDEO";
        QTest::newRow("chinese") << QStringLiteral("旺角影視中心");
        QTest::newRow("quote") << "O'BRIEN'S VIDEO";
    }
    void storesTheShopName() {
        QFETCH(QString, name);
        CreatedFile file(WorkingFileSpec{Created, name, {}});
        QVERIFY(file.opened);
        QCOMPARE(GetShopName(*file.db), name);
    }

    void refusesAnExistingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Flicka.mdb"));
        static const char bytes[] = "someone's data\0\x01\x02 kept";
        const QByteArray before(bytes, sizeof bytes - 1);
        QVERIFY(writeFile(path, before));
        ScriptedMessages messages;
        QString error;
        QVERIFY(!createWorkingFile(path, plainSpec(), messages, error));
        QCOMPARE(error, path + QStringLiteral(" already exists"));
        QCOMPARE(readAll(path), before);
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
                return db.exec(QStringLiteral("INSERT INTO Customers (CustomerID) VALUES (?)"),
                               {QStringLiteral("000001")}, QStringLiteral("test")) &&
                       db.exec(QStringLiteral("INSERT INTO NoSuchTable VALUES (1)"), {},
                               QStringLiteral("test"));
            };
        }
        ScriptedMessages messages;
        QString error;
        QVERIFY(!createWorkingFile(dir.filePath(name), spec, messages, error));
        QVERIFY(!error.isEmpty());
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }

    void neverReplacesAFileThatAppearsMeanwhile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Flicka.mdb"));
        WorkingFileSpec spec = plainSpec();
        spec.fill = [path](Connection&) { return writeFile(path, "theirs"); };
        ScriptedMessages messages;
        QString error;
        QVERIFY(!createWorkingFile(path, spec, messages, error));
        QCOMPARE(error, path + QStringLiteral(" already exists"));
        QCOMPARE(readAll(path), QByteArray("theirs"));
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("Flicka.mdb")});
    }

    void toolRefusesAnExistingFile() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("shop.mdb")), "mine"));
        const ToolRun run =
            runDbTool({QStringLiteral("create"), QStringLiteral("shop.mdb")}, dir.path());
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
        const ToolRun run = runDbTool({QStringLiteral("create"), QStringLiteral("--demo"),
                                       QStringLiteral("--shop-name"), QStringLiteral("影視 SHOP"),
                                       QStringLiteral("Flicka.mdb")},
                                      dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        ScriptedMessages messages;
        Connection db(messages, dir.path());
        QVERIFY(db.OpenDatabase());
        QCOMPARE(GetShopName(db), QStringLiteral("影視 SHOP"));
        auto q =
            db.run(QStringLiteral("SELECT count(*) FROM Customers"), {}, QStringLiteral("test"));
        QVERIFY(q && q->next() && q->value(0).toInt() > 0);
        QVERIFY(messages.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_dbfile)
#include "tst_dbfile.moc"
