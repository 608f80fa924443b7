#include "Cases.h"
#include "Connection.h"
#include "FileProbe.h"
#include "TestDb.h"
#include "compaction.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString Live = Connection::LiveFile;
const QString Compact = Connection::CompactFile;
const QString Backup = Connection::BackupFile;

QString orderIds(const QString& path) {
    return onOwnConnection(path, QStringLiteral("SELECT group_concat(OrderID, ',') FROM "
                                                "(SELECT OrderID FROM Orders ORDER BY OrderID)"));
}

bool addOrder(TestDb& t, const QString& id) {
    return t.exec(QStringLiteral("INSERT INTO Orders (OrderID, Remarks) VALUES (?, ?)"),
                  {id, QString(400, QLatin1Char('x'))});
}

// Puts a folder with something in it at the name, which no unlink or rename can replace.
bool block(const TestDb& t, const QString& name) {
    QFile inside(t.dir.filePath(name + QStringLiteral("/keep.txt")));
    return QDir().mkpath(t.dir.filePath(name)) && inside.open(QIODevice::WriteOnly) &&
           inside.write("x") == 1;
}

struct stat statOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

// The connection answers and takes writes again.
bool usable(TestDb& t) {
    return t.db().isOpen() && addOrder(t, QStringLiteral("999999")) &&
           t.scalar(QStringLiteral("SELECT count(*) FROM Orders WHERE OrderID = '999999'"))
                   .toInt() == 1;
}

// The name blocked, whether the copy is damaged just before its check, the files left, the
// name that keeps the file as it was, and what the report says.
using Failure = Cases<QString, bool, QStringList, QString, QString>;

} // namespace

class TestCompaction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each compaction frees the space of deleted rows and keeps the file as it was just before
    // it in a backup of its own; the compacted file keeps the permissions. Neither a leftover
    // compacted file nor a query still open stops it.
    void backupHoldsTheFileAsItWas() {
        TestDb t;
        QVERIFY(t.db().BeginTransaction());
        for (int i = 0; i < 2000; ++i)
            QVERIFY(addOrder(t, QString::number(i)));
        QVERIFY(t.db().CommitTransaction() && t.exec(QStringLiteral("DELETE FROM Orders")));
        QSignalSpy closing(&t.db(), &Connection::aboutToClose);
        const QString live = t.dir.filePath(Live), backup = t.dir.filePath(Backup);
        QVERIFY(::chmod(QFile::encodeName(live).constData(), 0640) == 0);
        const qint64 grown = QFileInfo(live).size();
        for (const QString order : {"000001", "000002"}) {
            QVERIFY(addOrder(t, order));
            QFile leftover(t.dir.filePath(Compact));
            QVERIFY(leftover.open(QIODevice::WriteOnly) && leftover.write("left over") > 0);
            leftover.close();
            auto q = t.db().run(QStringLiteral("SELECT OrderID FROM Orders"), {}, "t");
            QVERIFY(q && q->next());
            const QByteArray before = bytesOf(live);
            QVERIFY(CompactAndBackup(t.db()));
            QCOMPARE(bytesOf(backup), before);
            QCOMPARE(filesIn(t.folder()), (QStringList{Live, Backup}));
            QCOMPARE(statOf(live).st_nlink, nlink_t(1));
            QCOMPARE(statOf(live).st_mode & 07777, mode_t(0640));
        }
        QVERIFY(QFileInfo(live).size() * 4 < grown);
        QCOMPARE(onOwnConnection(live, QStringLiteral("PRAGMA integrity_check")), "ok");
        QCOMPARE(orderIds(live), QStringLiteral("000001,000002"));
        QVERIFY(t.messages.boxes.isEmpty());
        QVERIFY(!closing.isEmpty());
        QVERIFY(usable(t));
    }

    // A step that fails is one report; the file as it was stays whole under `kept` and the
    // connection is open again. Once the way is clear, the next compaction clears away what
    // the failed one left.
    void failedStepKeepsTheFileAsItWas_data() {
        const Failure add;
        add("copy's name blocked", Compact, false, {Live, Compact}, Live,
            "cannot remove " + Compact);
        add("damaged copy", "", true, {Live}, Live, Compact + " failed its check");
        add("backup's name blocked", Backup, false, {Live, Backup, Backup + ".new"},
            Backup + ".new", "cannot rename " + Backup + ".new");
    }
    void failedStepKeepsTheFileAsItWas() {
        const auto [blocked, damaged, files, kept, says] = Failure::fetch();
        TestDb t;
        QVERIFY(addOrder(t, "000001") && (blocked.isEmpty() || block(t, blocked)));
        const QByteArray before = bytesOf(t.dir.filePath(Live));
        const auto damage = [&t] {
            QFile copy(t.dir.filePath(Compact));
            QVERIFY(copy.open(QIODevice::ReadWrite) && copy.seek(4096));
            QVERIFY(copy.write(QByteArray(4096, '\xff')) == 4096);
        };
        QVERIFY(!CompactAndBackup(t.db(), damaged ? damage : std::function<void()>()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY2(ScriptedMessages::isReport(t.messages.boxes[0], "CompactAndBackup") &&
                     t.messages.boxes[0].text.contains(says),
                 qPrintable(t.messages.boxes[0].text));
        QCOMPARE(bytesOf(t.dir.filePath(kept)), before);
        QCOMPARE(filesIn(t.folder()), files);
        QCOMPARE(statOf(t.dir.filePath(Live)).st_nlink, nlink_t(1));
        QVERIFY(usable(t));
        QVERIFY(blocked.isEmpty() || QDir(t.dir.filePath(blocked)).removeRecursively());
        QVERIFY(CompactAndBackup(t.db()));
        QCOMPARE(filesIn(t.folder()), (QStringList{Live, Backup}));
        QCOMPARE(orderIds(t.dir.filePath(Backup)), QStringLiteral("000001,999999"));
    }

    void vanishedLiveFileIsOneReport() {
        TestDb t;
        QVERIFY(QFile::remove(t.dir.filePath(Live)));
        QVERIFY(!CompactAndBackup(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(filesIn(t.folder()).isEmpty());
        QVERIFY(!t.db().isOpen());
    }
};

QTEST_GUILESS_MAIN(TestCompaction)
#include "tst_compaction.moc"
