#include "Cases.h"
#include "Connection.h"
#include "FileProbe.h"
#include "TestDb.h"
#include "dbvalue.h"
#include "schema.h"

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

QString orderIds(TestDb& t) {
    return t.scalar(QStringLiteral("SELECT group_concat(OrderID) FROM Orders")).toString();
}

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
        struct stat info {};
        QVERIFY(!exists ||
                (::stat(qPrintable(live), &info) == 0 && int(info.st_mode & 07777) == fileMode));
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

    // A transaction or a guard that ends without a commit leaves nothing; a commit reaches
    // the file. Prepared statements outlive neither the connection nor their run: each is made
    // again after a reopen, and one that stepped onto a row keeps no lock from other connections.
    void onlyCommittedWritesStay() {
        TestDb t;
        const QString peek = QStringLiteral("SELECT OrderID FROM Orders");
        QVERIFY(t.db().BeginTransaction() && addOrder(t, "000001"));
        QVERIFY(t.db().RollbackTransaction());
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
        QCOMPARE(orderIds(t), QStringLiteral("000003"));
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
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
