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

} // namespace

class TestConnection : public QObject {
    Q_OBJECT

    // For statements that read no table.
    TestDb m_scratch{false};

private Q_SLOTS:
    // A file that is no shop database, or that the program may not write, is refused at the
    // start with one report and left exactly as it was; the program never creates one.
    void refusesWhatItCannotUse_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<QString>("why");
        const QString unwritable = Connection::LiveFile + " cannot be written: ";
        QTest::newRow("missing file") << "none" << 0666 << 0777 << "";
        QTest::newRow("garbage bytes") << "garbage" << 0666 << 0777 << "";
        QTest::newRow("sqlite file without the tables") << "foreign" << 0666 << 0777 << "";
        QTest::newRow("table without a column")
            << "lacking" << 0666 << 0777 << "missing columns: Customers.Class";
        QTest::newRow("read-only file") << "shop" << 0444 << 0777 << unwritable;
        QTest::newRow("read-only folder") << "shop" << 0666 << 0555 << unwritable;
    }
    void refusesWhatItCannotUse() {
        QFETCH(QString, file);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString live = dir.filePath(Connection::LiveFile);
        QString error;
        if (file == QLatin1String("garbage")) {
            QFile f(live);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(8192, 'Z')) > 0);
        } else if (file == QLatin1String("foreign")) {
            QVERIFY(onOwnConnection(live, "CREATE TABLE Notes (Text TEXT)") == "");
        } else if (file != QLatin1String("none")) {
            QVERIFY(createSchemaFile(live, error));
            QVERIFY(file == QLatin1String("shop") ||
                    onOwnConnection(live, "ALTER TABLE Customers DROP COLUMN Class") == "");
        }
        QVERIFY(file == QLatin1String("none") || ::chmod(qPrintable(live), mode_t(fileMode)) == 0);
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
        QVERIFY(file == QLatin1String("none") ||
                (::stat(qPrintable(live), &info) == 0 && int(info.st_mode & 07777) == fileMode));
    }

    // A statement that fails, at once, after some rows or on a full disk, is one report; its
    // transaction ends, and the file takes writes again once there is room.
    void failedStatementIsOneReport_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("rows");
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (?)");
        QTest::newRow("syntax") << QString() << "SELEC * FROM Orders" << QVariantList{} << 0;
        QTest::newRow("text in an integer column")
            << "" << insert.arg("SerialNo", "OrderIdx") << QVariantList{"abc"} << 0;
        QTest::newRow("duplicate key")
            << "" << insert.arg("Category", "CategoryID") << QVariantList{"V"} << 0;
        // abs() of the smallest integer overflows, here on the fifth row only.
        QTest::newRow("error after rows")
            << QString()
            << "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5) "
               "SELECT abs(CASE WHEN i = 5 THEN -9223372036854775807 - 1 ELSE i END) FROM n"
            << QVariantList{} << 4;
        // The file may not grow; SQLite then ends the transaction by itself.
        QTest::newRow("full disk") << "PRAGMA max_page_count = 1"
                                   << "INSERT INTO Orders (OrderID, Remarks) VALUES ('1', ?)"
                                   << QVariantList{QString(40000, QLatin1Char('x'))} << 0;
    }
    void failedStatementIsOneReport() {
        QFETCH(QString, setup);
        QFETCH(QString, sql);
        QFETCH(QVariantList, values);
        QFETCH(int, rows);
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
    // the file.
    void onlyCommittedWritesStay() {
        TestDb t;
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
        QVERIFY(t.db().BeginTransaction() && addOrder(t, "000004"));
        QVERIFY(t.db().CommitTransaction());
        // Reopening reads what reached the file, not what the connection remembers.
        QVERIFY(t.db().CloseDatabase() && t.db().OpenDatabase());
        QCOMPARE(orderIds(t), QStringLiteral("000003,000004"));
        QVERIFY(t.messages.boxes.isEmpty());
    }

    // Prepared statements outlive neither the connection nor their run: each is made again
    // after a reopen, and one that stepped onto a row keeps no lock from other connections.
    void repeatedStatementsRunAcrossReopenAndReleaseTheirLocks() {
        TestDb t;
        const QString peek = QStringLiteral("SELECT OrderID FROM Orders");
        for (const QString id : {"000001", "000002"})
            QVERIFY(addOrder(t, id) && t.db().exec(peek, {}, "t") && t.db().CloseDatabase() &&
                    t.db().OpenDatabase());
        QVERIFY(addOrder(t, "000003") && t.db().exec(peek, {}, "t"));
        ScriptedMessages otherMessages;
        Connection other(otherMessages, t.folder());
        QVERIFY(other.OpenDatabase() && other.write("DELETE FROM Orders", {}, "other"));
        QVERIFY(t.messages.boxes.isEmpty() && otherMessages.boxes.isEmpty());
    }

    // Dates, stamps and money are bound in their stored forms; a missing date binds as NULL,
    // missing text as empty text.
    void boundValuesTakeTheirStoredForm_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("stored");
        const QDate leap(2004, 2, 29);
        QTest::newRow("date") << QVariant(leap) << "text 2004-02-29";
        QTest::newRow("stamp") << QVariant(QDateTime(leap, QTime(7, 5, 3)))
                               << "text 2004-02-29 07:05:03";
        QTest::newRow("no date") << QVariant(QDate()) << "null ";
        QTest::newRow("no stamp") << QVariant(QDateTime()) << "null ";
        QTest::newRow("money") << QVariant::fromValue(*Money::parse("-1,234.5"))
                               << "integer -12345000";
        QTest::newRow("no text") << QVariant(QString()) << "text ";
        QTest::newRow("quotes") << QVariant("O'BRIEN \"50%\" 退款") << "text O'BRIEN \"50%\" 退款";
    }
    void boundValuesTakeTheirStoredForm() {
        QFETCH(QVariant, value);
        QFETCH(QString, stored);
        QCOMPARE(
            m_scratch.scalar("SELECT typeof(?) || ' ' || ifnull(?, '')", {value, value}).toString(),
            stored);
    }

    void storedTextReadsAsDateAndStamp_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QDateTime>("stamp");
        const QDate leap(2004, 2, 29);
        QTest::newRow("stamp") << "2004-02-29 07:05:03" << leap << QDateTime(leap, QTime(7, 5, 3));
        QTest::newRow("date only") << "2004-02-29" << leap << QDateTime(leap, QTime(0, 0));
        QTest::newRow("bad time") << "2004-02-29 25:00:00" << leap << QDateTime(leap, QTime(0, 0));
        QTest::newRow("no such day") << "2003-02-29" << QDate() << QDateTime();
        QTest::newRow("not digits") << "20x4-02-01" << QDate() << QDateTime();
        QTest::newRow("signed") << "-004-02-01" << QDate() << QDateTime();
        QTest::newRow("short") << "2004-2-1" << QDate() << QDateTime();
        QTest::newRow("empty") << "" << QDate() << QDateTime();
    }
    void storedTextReadsAsDateAndStamp() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QFETCH(QDateTime, stamp);
        QCOMPARE(readDate(text), date);
        QCOMPARE(readStamp(text), stamp);
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
