#include "CreatedFile.h"
#include "ToolRun.h"
#include "commandline.h"
#include "serials.h"
#include "shopinfo.h"

#include <QDir>
#include <QTest>

namespace {

const WorkingFileSpec Plain{QDateTime(QDate(2024, 3, 1), QTime(9, 30)), {}, {}};

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every table, then every code named and the one category fit to rent.
const QStringList BaseRows =
    QStringLiteral("ItemStatus PaymentType OpCode SerialNo RptDailyTx Category ShopInfo Customers "
                   "Orders Order_Details Order_Payment Products Items Sales AcctAdjust Cust_Temp "
                   "Item_Temp")
        .split(' ') +
    QStringList{"ItemStatus WHERE Name <> '' AND ID IN ('0', '1', '2', '3', '4')",
                "PaymentType WHERE Name <> '' AND ID IN ('0', '1', '2', '3')",
                "Category WHERE CategoryID = 'V' AND RentUnitRate > 0 AND RentUnitDays "
                "BETWEEN 1 AND 7"};

QStringList codesOf(const OpCodeRec& r) {
    return {r.AddItem,       r.FreeItem,         r.DeleteItem, r.EditItem, r.ReturnItem,
            r.RenewItemCash, r.RenewItemArrears, r.BadItem,    r.SalesItem};
}

} // namespace

// vormel-db: the working file it makes, its command line, and what the tool answers.
class Test_dbfile : public QObject {
    Q_OBJECT

private slots:
    void holdsExactlyTheBaseRows() {
        CreatedFile file(Plain);
        QVERIFY2(file.opened, qPrintable(file.error));
        QCOMPARE(entries(file.dir.path()), QStringList{Connection::LiveFile});
        QStringList counts;
        for (const QString& from : BaseRows)
            counts << QString::number(file.count(from));
        QCOMPARE(counts.join(' '), "5 4 1 1 1 1 0 0 0 0 0 0 0 0 0 0 0 5 4 1");
        OpCodeRec opCodes;
        QVERIFY(GetOpCodes(*file.db, opCodes));
        QCOMPARE(codesOf(opCodes), codesOf(OpCodeRec::defaults()));
        for (const char* counter : {"OrderIdx", "OrderID", "ProductID", "AdjustID"})
            QCOMPARE(GetSerialNo(*file.db, counter), QStringLiteral("000001"));
        QVERIFY(file.messages.boxes.isEmpty());
    }

    // Neither a file that was there before nor one that appears while the new one is being
    // written is replaced; whatever else goes wrong, the folder ends as it began.
    void failsLeavingTheFolderAsItWas_data() {
        QTest::addColumn<int>("failure");
        int failure = 0;
        for (const char* name : {"file there before", "file appearing meanwhile",
                                 "rows fail half way", "folder missing"})
            QTest::newRow(name) << failure++;
    }
    void failsLeavingTheFolderAsItWas() {
        QFETCH(int, failure);
        QTemporaryDir dir;
        const QString name = failure == 3 ? "missing/Flicka.mdb" : "Flicka.mdb";
        const QString path = dir.filePath(name);
        static const char bytes[] = "someone's data\0\x01\x02 kept";
        const QByteArray theirs(bytes, sizeof bytes - 1);
        WorkingFileSpec spec = Plain;
        if (failure == 0)
            QVERIFY(writeFile(path, theirs));
        if (failure == 1)
            spec.fill = [&](Connection&) { return writeFile(path, theirs); };
        if (failure == 2)
            spec.fill = [](Connection& db) {
                return db.exec("INSERT INTO Customers (CustomerID) VALUES ('000001')", {}, "t") &&
                       db.exec("INSERT INTO NoSuchTable VALUES (1)", {}, "t");
            };
        ScriptedMessages messages;
        QString error;
        QVERIFY(!createWorkingFile(path, spec, messages, error));
        const bool taken = failure < 2;
        QCOMPARE(error == path + QStringLiteral(" already exists"), taken);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(path), taken ? theirs : QByteArray());
        QCOMPARE(entries(dir.path()), taken ? QStringList{name} : QStringList());
    }

    // Arguments that do not make one command; the tool answers them with its usage.
    void commandLineRefused_data() {
        QTest::addColumn<QStringList>("args");
        for (const char* args :
             {"", "create", "generate --seed 2", "make Flicka.mdb", "create --fast Flicka.mdb",
              "create Flicka.mdb --shop-name", "create a.mdb b.mdb",
              "generate --titles 10 --copies 9 x.mdb", "generate --members 0 x.mdb",
              "generate --years five x.mdb", "generate --years 21 x.mdb", "generate --demo x.mdb",
              "create --members 10 x.mdb"})
            QTest::newRow(args) << QString::fromLatin1(args).split(' ', Qt::SkipEmptyParts);
    }
    void commandLineRefused() {
        QFETCH(QStringList, args);
        QVERIFY(!parseDbCommand(QStringList{"vormel-db"} + args));
    }

    // What the tool answers: the usage on a wrong command line, the reason when the file could
    // not be made, and a demo file under the name asked for.
    void tool_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("usage") << QStringList{"make"} << 2 << "usage: vormel-db create";
        QTest::newRow("taken") << QStringList{"create", "Flicka.mdb"} << 1
                               << "Flicka.mdb already exists";
        QTest::newRow("demo") << QStringList{"create", "--demo", "--shop-name", "影視 SHOP",
                                             "Flicka.mdb"}
                              << 0 << "";
    }
    void tool() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QTemporaryDir dir;
        if (exitCode == 1)
            QVERIFY(writeFile(dir.filePath(Connection::LiveFile), "mine"));
        const ToolRun run = runTool(QStringLiteral(VORMEL_DB_TOOL), args, dir.path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.startsWith(err), qPrintable(run.err));
        const QByteArray file = readAll(dir.filePath(Connection::LiveFile));
        QCOMPARE(file.isEmpty(), exitCode == 2);
        QCOMPARE(file == "mine", exitCode == 1);
        if (exitCode == 0) {
            ScriptedMessages messages;
            Connection db(messages, dir.path());
            QVERIFY(db.OpenDatabase());
            QCOMPARE(GetShopName(db), QStringLiteral("影視 SHOP"));
            auto members = db.run(QStringLiteral("SELECT count(*) FROM Customers"), {}, "test");
            QVERIFY(members && members->next() && members->value(0).toInt() > 0);
            QVERIFY(messages.boxes.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(Test_dbfile)
#include "tst_dbfile.moc"
