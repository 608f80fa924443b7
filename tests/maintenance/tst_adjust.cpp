#include "TestClock.h"
#include "TestDb.h"
#include "adjustActions.h"
#include "adjustEntry.h"
#include "utility.h"

#include <QTest>

namespace {

const QString Reason = QStringLiteral("Adjustment Reason missing!");
const QString Amount = QStringLiteral("Amount must be numeric!");
const QString BadDate = QStringLiteral("Adjustment Tran. Date error!");
const QString Future = QStringLiteral("Adjustment Tran. Date cannot greater than today!");
const QString Taken = QStringLiteral("Adjustment ID already exists!");

// The test clock's day is 10/03/2004.
AdjustEntry entry(const QString& description, const QString& amount, const QString& date,
                  const QString& id = QStringLiteral("000007")) {
    return {id, description, amount, date, QString(), QString()};
}

bool storeAdjustment(TestDb& t, const QString& id, const QString& description) {
    return t.exec(QStringLiteral("INSERT INTO AcctAdjust (InDate, ModDate, AdjustID, "
                                 "Description, AdjustAmt, AdjustDate, EmployeeID, CreateDate, "
                                 "OrderID, ReceiptNum) VALUES ('2004-03-01 09:00:00', "
                                 "'2004-03-01 09:00:00', ?, ?, -500000, '2004-03-01', '13', "
                                 "'2004-03-01', '000044', 'R-9')"),
                  {id, description});
}

} // namespace

class TestAdjustRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The first failure wins, in the order reason, amount, date, number.
    void firstProblemWins_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* description, const char* amount,
                            const QString& date, bool isNew, const char* id,
                            const QString& message) {
            QTest::newRow(name) << QString::fromLatin1(description) << QString::fromLatin1(amount)
                                << date << isNew << QString::fromLatin1(id) << message;
        };
        row("all wrong", "  ", "ABC", "31/02/2004", true, "000001", Reason);
        row("amount before date", "CASH SHORT", "ABC", "31/02/2004", true, "000001", Amount);
        row("date before number", "CASH SHORT", "-50", "31/02/2004", true, "000001", BadDate);
        row("blank date", "CASH SHORT", "-50", BlankDateMask, true, "000002", BadDate);
        row("stored number, new", "CASH SHORT", "-50", "10/03/2004", true, "000001", Taken);
        row("stored number, update", "CASH SHORT", "-50", "10/03/2004", false, "000001", {});
        row("fresh number", "CASH SHORT", "1,234.50", "09/03/2004", true, "000002", {});
        // The date may be any real day up to today.
        row("today", "CASH OVER", "5", "10/03/2004", false, "000001", {});
        row("tomorrow", "CASH OVER", "5", "11/03/2004", false, "000001", Future);
        row("no such day", "CASH OVER", "5", "30/02/2004", false, "000001", BadDate);
    }
    void firstProblemWins() {
        QFETCH(QString, description);
        QFETCH(QString, amount);
        QFETCH(QString, date);
        QFETCH(bool, isNew);
        QFETCH(QString, id);
        QFETCH(QString, message);
        TestDb t;
        QVERIFY(storeAdjustment(t, "000001", "OLD"));
        QCOMPARE(AdjustmentProblem(t.db(), entry(description, amount, date, id), isNew,
                                   QDate(2004, 3, 10)),
                 message);
    }

    void entryToRecord() {
        AcctAdjustRec rec;
        ApplyEntry({" 000007 ", " REFUND ", " -50 ", "05/03/2004", " 000044 ", " R-9 "},
                   QStringLiteral("13"), rec);
        QCOMPARE(rec.AdjustID, QStringLiteral("000007"));
        QCOMPARE(rec.Description, QStringLiteral("REFUND"));
        QCOMPARE(rec.AdjustAmt.units(), qint64(-500000));
        QCOMPARE(rec.AdjustDate, QDate(2004, 3, 5));
        QCOMPARE(rec.OrderID, QStringLiteral("000044"));
        QCOMPARE(rec.ReceiptNum, QStringLiteral("R-9"));
        QCOMPARE(rec.EmployeeID, QStringLiteral("13"));
    }

    void recordToEntry() {
        AcctAdjustRec rec;
        rec.AdjustAmt = Money::fromUnits(-12345000);
        rec.AdjustDate = QDate(2004, 12, 5);
        QCOMPARE(EntryFromRecord(rec, false).AdjustAmt, QStringLiteral("-1,234.50"));
        QCOMPARE(EntryFromRecord(rec, false).AdjustDate, QStringLiteral("05/12/2004"));
        QCOMPARE(EntryFromRecord(rec, true).AdjustAmt, QString());
    }

    // An empty key takes the next number at once, whether or not the adjustment is saved.
    void newAdjustmentTakesNumber() {
        TestDb t;
        TestClock clock;
        QVERIFY(t.exec(QStringLiteral("UPDATE SerialNo SET AdjustID = 41")));
        const auto draft = LoadAdjustment(t.db(), t.messages, clock, "13", "");
        QVERIFY(draft);
        QVERIFY(draft->isNew);
        QCOMPARE(draft->rec.AdjustID, QStringLiteral("000041"));
        QCOMPARE(draft->rec.AdjustDate, QDate(2004, 3, 10));
        QCOMPARE(draft->rec.CreateDate, QDate(2004, 3, 10));
        QCOMPARE(draft->rec.InDate, clock.now());
        QCOMPARE(draft->rec.EmployeeID, QStringLiteral("13"));
        QCOMPARE(t.scalar(QStringLiteral("SELECT AdjustID FROM SerialNo")).toInt(), 42);
        QVERIFY(t.messages.boxes.isEmpty());
    }

    void refusedKeys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        const QString numeric = QStringLiteral("Adjustment ID must be numeric!");
        QTest::newRow("letters") << QStringLiteral("A12") << numeric;
        QTest::newRow("sign") << QStringLiteral("-12") << numeric;
        QTest::newRow("unknown number")
            << QStringLiteral("000099") << "Cannot find record with Adjustment ID: 000099";
    }
    void refusedKeys() {
        QFETCH(QString, key);
        QFETCH(QString, message);
        TestDb t;
        TestClock clock;
        QVERIFY(!LoadAdjustment(t.db(), t.messages, clock, "13", key));
        QCOMPARE(t.messages.texts(), QStringList{message});
        QCOMPARE(t.messages.boxes.first().icon, MsgIcon::Exclamation);
    }

    // Updates stamp the time of the change; the number and the creation time stay.
    void saveUpdateRewrites() {
        TestDb t;
        TestClock clock;
        QVERIFY(storeAdjustment(t, "000012", "TILL SHORT"));
        auto draft = LoadAdjustment(t.db(), t.messages, clock, "13", "000012");
        QVERIFY(draft);
        ApplyEntry(entry("TILL OVER", "75.25", "08/03/2004", "000012"), "13", draft->rec);
        QVERIFY(SaveAdjustment(t.db(), t.messages, clock, *draft));
        QCOMPARE(t.messages.texts(),
                 QStringList{"Accounting Adjustment (Update) saved successfully"});
        QList<AcctAdjustRec> hits;
        QVERIFY(FindAcctAdjust(t.db(), ByAdjustID, "000012", hits));
        QCOMPARE(hits.first().Description, QStringLiteral("TILL OVER"));
        QCOMPARE(hits.first().AdjustAmt.units(), qint64(752500));
        QCOMPARE(hits.first().ModDate, clock.now());
        QCOMPARE(hits.first().InDate, QDateTime(QDate(2004, 3, 1), QTime(9, 0)));
    }

    void failedSaveSaysSo() {
        TestDb t;
        TestClock clock;
        QVERIFY(storeAdjustment(t, "000001", "OLD"));
        AdjustDraft draft;
        draft.rec.AdjustID = QStringLiteral("000001");
        QVERIFY(!SaveAdjustment(t.db(), t.messages, clock, draft));
        QCOMPARE(t.messages.boxes.size(), 2);
        QVERIFY(t.messages.boxes[0].text.startsWith("Error # "));
        QCOMPARE(t.messages.boxes[1].text, QStringLiteral("Accounting Adjustment (New) failed!"));
    }

    // A number taken for a new adjustment and never saved deletes without complaint.
    void deleteAsksFirst_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("yes") << "000012" << int(AnswerYes) << true;
        QTest::newRow("no") << "000012" << int(AnswerNo) << false;
        QTest::newRow("cancel") << "000012" << int(AnswerCancel) << false;
        QTest::newRow("never saved") << "000005" << int(AnswerYes) << true;
    }
    void deleteAsksFirst() {
        QFETCH(QString, id);
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        TestDb t;
        QVERIFY(storeAdjustment(t, "000012", "TILL SHORT"));
        AcctAdjustRec rec;
        rec.AdjustID = id;
        t.messages.answers = {answer};
        QCOMPARE(ConfirmDeleteAdjustment(t.db(), t.messages, rec), deleted);
        QCOMPARE(t.messages.texts(),
                 QStringList{"Deleted record cannot be restored!\rConfirm delete?"});
        QCOMPARE(t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM AcctAdjust")).toInt(),
                 deleted && id == "000012" ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestAdjustRules)
#include "tst_adjust_rules.moc"
