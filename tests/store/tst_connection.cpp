#include "Connection.h"
#include "ScriptedMessages.h"
#include "TestDb.h"
#include "dbvalue.h"
#include "utility.h"

#include <QFile>
#include <QTest>

class TestConnection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensFileMadeFromSchema() {
        TestDb t;
        QVERIFY(t.ok());
        QVERIFY(t.messages.boxes.isEmpty());
        QCOMPARE(t.scalar(QStringLiteral("PRAGMA journal_mode")).toString(),
                 QStringLiteral("delete"));
        QCOMPARE(t.scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    }

    void valuesRoundTrip() {
        TestDb t;
        QVERIFY(t.exec(QStringLiteral("INSERT INTO AcctAdjust (AdjustID, Description, AdjustAmt, "
                                      "AdjustDate, InDate) VALUES (?, ?, ?, ?, ?)"),
                       {QStringLiteral("000001"), QStringLiteral("O'BRIEN \"50%\" 退款"),
                        QVariant::fromValue(*Money::parse(QStringLiteral("-1,234.5"))),
                        QDate(2004, 2, 29), QDateTime(QDate(2004, 3, 1), QTime(23, 59, 58))}));
        auto q = t.db().run(QStringLiteral("SELECT Description, AdjustAmt, AdjustDate, InDate, "
                                           "ReceiptNum FROM AcctAdjust"),
                            {}, QStringLiteral("test"));
        QVERIFY(q && q->next());
        QCOMPARE(readText(q->value(0)), QStringLiteral("O'BRIEN \"50%\" 退款"));
        QCOMPARE(readMoney(q->value(1)), *Money::parse(QStringLiteral("-1234.5")));
        QCOMPARE(q->value(2).toString(), QStringLiteral("2004-02-29"));
        QCOMPARE(readDate(q->value(2)), QDate(2004, 2, 29));
        QCOMPARE(readStamp(q->value(3)), QDateTime(QDate(2004, 3, 1), QTime(23, 59, 58)));
        QCOMPARE(readDateOrNone(q->value(4)), NoDate);
        QCOMPARE(readDate(q->value(4)), QDate());
    }

    void missingFileIsOneReport() {
        QTemporaryDir dir;
        ScriptedMessages messages;
        Connection db(messages, dir.path());
        QVERIFY(!db.OpenDatabase());
        QCOMPARE(messages.boxes.size(), 1);
        QCOMPARE(messages.boxes[0].title, QStringLiteral("Error"));
        QVERIFY(messages.boxes[0].text.startsWith(QStringLiteral("Error # ")));
        QVERIFY(!QFile::exists(dir.filePath(Connection::LiveFile)));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
