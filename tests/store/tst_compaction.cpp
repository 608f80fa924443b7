#include "Connection.h"
#include "TestDb.h"
#include "compaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString Live = Connection::LiveFile;
const QString Compact = Connection::CompactFile;
const QString Backup = Connection::BackupFile;

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A value read from a database file on a connection of its own, as another program would.
QString peek(const QString& path, const QString& sql) {
    const QString name = QStringLiteral("peek");
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                value = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

QString orderIds(const QString& path) {
    return peek(path, QStringLiteral("SELECT group_concat(OrderID, ',') FROM "
                                     "(SELECT OrderID FROM Orders ORDER BY OrderID)"));
}

bool addOrder(TestDb& t, const QString& id) {
    return t.exec(QStringLiteral("INSERT INTO Orders (OrderID, Remarks) VALUES (?, ?)"),
                  {id, QString(400, QLatin1Char('x'))});
}

QStringList entries(const TestDb& t) {
    QStringList names = QDir(t.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// A directory with something in it, which no unlink or rename can replace.
bool blockWithDirectory(const TestDb& t, const QString& name) {
    const QString dir = QDir(t.folder()).filePath(name);
    QFile inside(QDir(dir).filePath(QStringLiteral("keep.txt")));
    return QDir().mkpath(dir) && inside.open(QIODevice::WriteOnly) && inside.write("x") == 1;
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

} // namespace

class TestCompaction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each compaction keeps the file as it was just before it in the backup.
    void backupHoldsTheFileAsItWas() {
        TestDb t;
        QVERIFY(t.ok());
        QSignalSpy closing(&t.db(), &Connection::aboutToClose);
        const QString live = t.dir.filePath(Live), backup = t.dir.filePath(Backup);
        for (const QString order : {"000001", "000002"}) {
            QVERIFY(addOrder(t, order));
            const QByteArray before = bytesOf(live);
            QVERIFY(CompactAndBackup(t.db()));
            QCOMPARE(bytesOf(backup), before);
            QCOMPARE(entries(t), (QStringList{Live, Backup}));
            // The backup is a file of its own, never a second name of the live one.
            QCOMPARE(statOf(live).st_nlink, nlink_t(1));
        }
        QCOMPARE(orderIds(backup), QStringLiteral("000001,000002"));
        QCOMPARE(peek(live, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(orderIds(live), QStringLiteral("000001,000002"));
        QVERIFY(t.messages.boxes.isEmpty());
        QVERIFY(!closing.isEmpty());
        QVERIFY(usable(t));
    }

    void reclaimsSpaceOfDeletedRows() {
        TestDb t;
        QVERIFY(t.db().BeginTransaction());
        for (int i = 0; i < 2000; ++i)
            QVERIFY(addOrder(t, QString::number(i)));
        QVERIFY(t.db().CommitTransaction());
        QVERIFY(t.exec(QStringLiteral("DELETE FROM Orders WHERE OrderID <> '7'")));
        const qint64 before = QFileInfo(t.dir.filePath(Live)).size();
        QVERIFY(CompactAndBackup(t.db()));
        const qint64 after = QFileInfo(t.dir.filePath(Live)).size();
        QVERIFY2(after * 4 < before, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
        QCOMPARE(orderIds(t.dir.filePath(Live)), QStringLiteral("7"));
    }

    // Neither a leftover compacted file nor a query still open stops compaction.
    void leftoverFileAndOpenQueryDoNotStopIt() {
        TestDb t;
        QVERIFY(addOrder(t, QStringLiteral("000001")) && addOrder(t, QStringLiteral("000002")));
        QFile leftover(t.dir.filePath(Compact));
        QVERIFY(leftover.open(QIODevice::WriteOnly) && leftover.write(QByteArray(5000, 1)) > 0);
        leftover.close();
        auto q = t.db().run(QStringLiteral("SELECT OrderID FROM Orders"), {}, QStringLiteral("t"));
        QVERIFY(q && q->next());
        QVERIFY(CompactAndBackup(t.db()));
        QCOMPARE(entries(t), (QStringList{Live, Backup}));
        QCOMPARE(orderIds(t.dir.filePath(Live)), QStringLiteral("000001,000002"));
        QVERIFY(t.messages.boxes.isEmpty());
    }

    void compactedFileKeepsThePermissions() {
        TestDb t;
        const QString live = t.dir.filePath(Live);
        QVERIFY(::chmod(QFile::encodeName(live).constData(), 0640) == 0);
        QVERIFY(CompactAndBackup(t.db()));
        QCOMPARE(statOf(live).st_mode & 07777, mode_t(0640));
    }

    // A copy that fails its check replaces nothing.
    void damagedCopyIsNeverUsed() {
        TestDb t;
        for (const QString order : {"000001", "000002", "000003", "000004", "000005"})
            QVERIFY(addOrder(t, order));
        const QByteArray before = bytesOf(t.dir.filePath(Live));
        const auto damage = [&t] {
            QFile copy(t.dir.filePath(Compact));
            QVERIFY(copy.open(QIODevice::ReadWrite) && copy.seek(4096));
            QVERIFY(copy.write(QByteArray(4096, '\xff')) == 4096);
        };
        QVERIFY(!CompactAndBackup(t.db(), damage));
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(t.messages.boxes[0].text.contains(Compact + QStringLiteral(" failed its check")));
        QCOMPARE(bytesOf(t.dir.filePath(Live)), before);
        QCOMPARE(entries(t), QStringList{Live});
        QVERIFY(usable(t));
    }

    // When the backup cannot take its new name, the folder still holds the compacted live
    // file, the previous backup, and the file as it was under a name of its own, which the next
    // compaction clears away.
    void failedLastRenameKeepsTheBackupApart() {
        TestDb t;
        QVERIFY(addOrder(t, QStringLiteral("000001")));
        QVERIFY(blockWithDirectory(t, Backup));
        const QString live = t.dir.filePath(Live), staged = t.dir.filePath(Backup + ".new");
        const QByteArray before = bytesOf(live);
        QVERIFY(!CompactAndBackup(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QCOMPARE(entries(t), (QStringList{Live, Backup, Backup + ".new"}));
        QVERIFY(usable(t));
        QCOMPARE(bytesOf(staged), before);
        QVERIFY(statOf(staged).st_ino != statOf(live).st_ino);
        QVERIFY(QDir(t.dir.filePath(Backup)).removeRecursively());
        QVERIFY(CompactAndBackup(t.db()));
        QCOMPARE(entries(t), (QStringList{Live, Backup}));
        QCOMPARE(orderIds(t.dir.filePath(Backup)), QStringLiteral("000001,999999"));
    }

    void blockedRenameLeavesLiveFileAsItWas() {
        TestDb t;
        QVERIFY(addOrder(t, QStringLiteral("000001")));
        const QString blocked = Compact;
        QVERIFY(blockWithDirectory(t, blocked));
        const QByteArray before = bytesOf(t.dir.filePath(Live));
        QVERIFY(!CompactAndBackup(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QCOMPARE(t.messages.boxes[0].title, QStringLiteral("Error"));
        QVERIFY(t.messages.boxes[0].text.startsWith("Error # "));
        QVERIFY(t.messages.boxes[0].text.contains(" was generated by CompactAndBackup\r"));
        QCOMPARE(bytesOf(t.dir.filePath(Live)), before);
        QCOMPARE(entries(t), (QStringList{Live, Compact}));
        QVERIFY(QFileInfo(t.dir.filePath(blocked)).isDir());
        QVERIFY(usable(t));
        QCOMPARE(orderIds(t.dir.filePath(Live)), QStringLiteral("000001,999999"));
    }

    void vanishedLiveFileIsOneReport() {
        TestDb t;
        QVERIFY(QFile::remove(t.dir.filePath(Live)));
        QVERIFY(!CompactAndBackup(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(entries(t).isEmpty());
        QVERIFY(!t.db().isOpen());
    }
};

QTEST_GUILESS_MAIN(TestCompaction)
#include "tst_compaction.moc"
