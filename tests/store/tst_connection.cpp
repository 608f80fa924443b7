#include "Cases.h"
#include "Connection.h"
#include "FileProbe.h"
#include "TestDb.h"
#include "compaction.h"
#include "dbvalue.h"
#include "schema.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How opening the shop in `folder` ends for an account that, unlike root, is held to the file
// permissions. Refused means one report that says `why`.
enum Opening { Opened, Refused, OtherReports, NoSuchAccount };

Opening openAsOrdinaryUser(const QString& folder, const QString& why) {
    const auto openHere = [&] {
        ScriptedMessages messages;
        Connection db(messages, folder);
        if (db.OpenDatabase())
            return Opened;
        return messages.boxes.size() == 1 &&
                       ScriptedMessages::isReport(messages.boxes[0], "OpenDatabase") &&
                       messages.boxes[0].text.contains(why)
                   ? Refused
                   : OtherReports;
    };
    if (::geteuid() != 0)
        return openHere();
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t Nobody = 65534;
        ::_exit(::setgid(Nobody) == 0 && ::setuid(Nobody) == 0 ? openHere() : NoSuchAccount);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? Opening(WEXITSTATUS(status)) : OtherReports;
}

bool addOrder(TestDb& t, const QString& id) {
    return t.exec(QStringLiteral("INSERT INTO Orders (OrderID) VALUES (?)"), {id});
}

const QString Live = Connection::LiveFile, Compact = Connection::CompactFile,
              Backup = Connection::BackupFile;

QString orderIds(const QString& path) {
    return onOwnConnection(path, QStringLiteral("SELECT group_concat(OrderID, ',') FROM "
                                                "(SELECT OrderID FROM Orders ORDER BY OrderID)"));
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
using StepFailure = Cases<QString, bool, QStringList, QString, QString>;

// The file (none, garbage or a shop), a statement run on it, the file's and the folder's
// permissions, and why it is refused.
using Refusal = Cases<QString, QString, int, int, QString>;
// A statement run first, the failing one, its values, and the rows it gives before failing.
using Failure = Cases<QString, QString, QVariantList, int>;

} // namespace

class TestConnection : public QObject {
    Q_OBJECT

    // For statements that read no table.
    TestDb m_scratch{false};

private Q_SLOTS:
    // A file that is no shop database, or that the program may not write, is refused at the
    // start with one report and left exactly as it was; the program never creates one.
    void refusesWhatItCannotUse_data() {
        const Refusal add;
        const QString unwritable = Connection::LiveFile + " cannot be written: ";
        add("missing file", "none", "", 0666, 0777, "");
        add("garbage bytes", "garbage", "", 0666, 0777, "");
        add("sqlite file without the tables", "none", "CREATE TABLE Notes (Text TEXT)", 0666, 0777,
            "");
        add("table without a column", "shop", "ALTER TABLE Customers DROP COLUMN Class", 0666, 0777,
            "missing columns: Customers.Class");
        add("read-only file", "shop", "", 0444, 0777, unwritable);
        add("read-only folder", "shop", "", 0666, 0555, unwritable);
    }
    void refusesWhatItCannotUse() {
        const auto [file, sql, fileMode, folderMode, why] = Refusal::fetch();
        QTemporaryDir dir;
        const QString live = dir.filePath(Connection::LiveFile);
        QString error;
        QFile garbage(live);
        QVERIFY(file != "garbage" ||
                (garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(8192, 'Z')) > 0));
        QVERIFY(file != "shop" || createSchemaFile(live, error));
        QVERIFY(sql.isEmpty() || onOwnConnection(live, sql) == "");
        const bool exists = QFile::exists(live);
        QVERIFY(!exists || ::chmod(qPrintable(live), mode_t(fileMode)) == 0);
        const QByteArray before = bytesOf(live);
        const QStringList files = filesIn(dir.path());
        QVERIFY(::chmod(qPrintable(dir.path()), mode_t(folderMode)) == 0);
        const Opening opening = openAsOrdinaryUser(dir.path(), why);
        ::chmod(qPrintable(dir.path()), 0700);
        if (opening == NoSuchAccount)
            QSKIP("no account without root's exemption from file permissions to test with");
        QCOMPARE(opening, Refused);
        QCOMPARE(bytesOf(live), before);
        QCOMPARE(filesIn(dir.path()), files);
        QVERIFY(!exists || int(statOf(live).st_mode & 07777) == fileMode);
    }

    // A statement that fails, at once, after some rows or on a full disk, is one report; its
    // transaction ends, and the file takes writes again once there is room.
    void failedStatementIsOneReport_data() {
        const Failure add;
        add("syntax", "", "SELEC * FROM Orders", {}, 0);
        add("duplicate key", "", "INSERT INTO Category (CategoryID) VALUES (?)", {"V"}, 0);
        // abs() of the smallest integer overflows, here on the fifth row only.
        add("error after rows", "",
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5) "
            "SELECT abs(CASE WHEN i = 5 THEN -9223372036854775807 - 1 ELSE i END) FROM n",
            {}, 4);
        // The file may not grow; SQLite then ends the transaction by itself.
        add("full disk", "PRAGMA max_page_count = 1",
            "INSERT INTO Orders (OrderID, Remarks) VALUES ('1', ?)",
            {QString(40000, QLatin1Char('x'))}, 0);
    }
    void failedStatementIsOneReport() {
        const auto [setup, sql, values, rows] = Failure::fetch();
        TestDb t;
        QVERIFY(setup.isEmpty() || t.exec(setup));
        {
            TransactionGuard transaction(t.db());
            auto q = t.db().run(sql, values, QStringLiteral("Probe"));
            int read = 0;
            while (q && q->next())
                ++read;
            QCOMPARE(read, rows);
            QVERIFY(!q || (!q->ok() && !q->next()));
            QCOMPARE(t.db().LastSql(), sql);
        }
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY2(ScriptedMessages::isReport(t.messages.boxes[0], "Probe"),
                 qPrintable(t.messages.boxes[0].text));
        QCOMPARE(t.db().LastError(), t.messages.boxes[0].text);
        QVERIFY(!t.db().inTransaction());
        QVERIFY(t.exec(QStringLiteral("PRAGMA max_page_count = 1000000")));
        QVERIFY(addOrder(t, QStringLiteral("000002")) && t.messages.boxes.size() == 1);
    }

    // A transaction that ends without a commit leaves nothing; a commit reaches
    // the file. Prepared statements outlive neither the connection nor their run: each is made
    // again after a reopen, and one that stepped onto a row keeps no lock from other connections.
    void onlyCommittedWritesStay() {
        TestDb t;
        const QString peek = QStringLiteral("SELECT OrderID FROM Orders");
        {
            TransactionGuard tx(t.db());
            QVERIFY(tx.begun() && addOrder(t, "000002"));
        }
        {
            TransactionGuard tx(t.db());
            QVERIFY(addOrder(t, "000003") && tx.commit());
        }
        QVERIFY(t.db().exec(peek, {}, "t") && t.db().CloseDatabase() && t.db().OpenDatabase());
        // Reopening reads what reached the file, not what the connection remembers.
        QCOMPARE(orderIds(t.dir.filePath(Live)), QStringLiteral("000003"));
        QVERIFY(t.db().BeginTransaction() && addOrder(t, "000004") && t.db().CommitTransaction());
        QVERIFY(t.db().exec(peek, {}, "t"));
        ScriptedMessages otherMessages;
        Connection other(otherMessages, t.folder());
        QVERIFY(other.OpenDatabase() && other.write("DELETE FROM Orders", {}, "other"));
        QVERIFY(t.messages.boxes.isEmpty() && otherMessages.boxes.isEmpty());
    }

    // Dates, stamps and money are bound in their stored forms; a missing date binds as NULL,
    // missing text as empty text.
    void boundValuesTakeTheirStoredForm_data() {
        const Cases<QVariant, QString> add;
        const QDate leap(2004, 2, 29);
        add("date", leap, "text 2004-02-29");
        add("stamp", QDateTime(leap, QTime(7, 5, 3)), "text 2004-02-29 07:05:03");
        add("no date", QDate(), "null ");
        add("no stamp", QDateTime(), "null ");
        add("money", QVariant::fromValue(*Money::parse("-1,234.5")), "integer -12345000");
        add("no text", QString(), "text ");
    }
    void boundValuesTakeTheirStoredForm() {
        const auto [value, stored] = Cases<QVariant, QString>::fetch();
        QCOMPARE(
            m_scratch.scalar("SELECT typeof(?) || ' ' || ifnull(?, '')", {value, value}).toString(),
            stored);
    }

    // `read` is the date and the stamp, "-" for none.
    void storedTextReadsAsDateAndStamp_data() {
        const Cases<QString, QString> add;
        add("stamp", "2004-02-29 07:05:03", "2004-02-29 2004-02-29T07:05:03");
        add("date only", "2004-02-29", "2004-02-29 2004-02-29T00:00:00");
        add("bad time", "2004-02-29 25:00:00", "2004-02-29 2004-02-29T00:00:00");
        add("no such day", "2003-02-29", "- -");
        add("not digits", "20x4-02-01", "- -");
        add("short", "2004-2-1", "- -");
    }
    void storedTextReadsAsDateAndStamp() {
        const auto [text, read] = Cases<QString, QString>::fetch();
        const QString date = readDate(text).toString(Qt::ISODate);
        const QString stamp = readStamp(text).toString(Qt::ISODate);
        QCOMPARE((date.isEmpty() ? "-" : date) + ' ' + (stamp.isEmpty() ? "-" : stamp), read);
    }

    // Each compaction frees the space of deleted rows and keeps the file as it was just before
    // it in a backup of its own; the compacted file keeps the permissions. Neither a leftover
    // compacted file nor a query still open stops it.
    void backupHoldsTheFileAsItWas() {
        TestDb t;
        QVERIFY(
            t.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                   "INSERT INTO Orders (OrderID, Remarks) SELECT CAST(i AS TEXT), "
                   "printf('%400s', 'x') FROM n"));
        QVERIFY(t.exec(QStringLiteral("DELETE FROM Orders")));
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
        QVERIFY(t.messages.boxes.isEmpty() && !closing.isEmpty() && usable(t));
    }

    // A step that fails is one report; the file as it was stays whole under `kept` and the
    // connection is open again. Once the way is clear, the next compaction clears away what
    // the failed one left.
    void failedStepKeepsTheFileAsItWas_data() {
        const StepFailure add;
        add("copy's name blocked", Compact, false, {Live, Compact}, Live,
            "cannot remove " + Compact);
        add("damaged copy", "", true, {Live}, Live, Compact + " failed its check");
        add("backup's name blocked", Backup, false, {Live, Backup, Backup + ".new"},
            Backup + ".new", "cannot rename " + Backup + ".new");
    }
    void failedStepKeepsTheFileAsItWas() {
        const auto [blocked, damaged, files, kept, says] = StepFailure::fetch();
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
        QVERIFY(QFile::remove(t.dir.filePath(Live)) && !CompactAndBackup(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(filesIn(t.folder()).isEmpty() && !t.db().isOpen());
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
