#include "FormHarness.h"
#include "StockedShop.h"
#include "adjustActions.h"
#include "adjustEntry.h"
#include "frmAcctAdjust.h"
#include "utility.h"

#include <QPushButton>

// The adjustment rules, and the form that uses them, in a stocked shop (adjustment 000012 on
// file); the clock says 10/03/2004 and the clerk is 13.
class TestAdjust : public QObject {
    Q_OBJECT

private:
    struct Shop : FormHarness<frmAcctAdjust> {
        Shop() {
            QVERIFY(stockedshop::stock(t));
            ctx.CurrentEmployeeID = "13";
        }
        std::optional<AdjustDraft> load(const QString& key) {
            return LoadAdjustment(t.db(), t.messages, clock, "13", key);
        }
        bool save(AdjustDraft& draft) { return SaveAdjustment(t.db(), t.messages, clock, draft); }
        qint64 stored() { return count("SELECT COUNT(*) FROM AcctAdjust"); }
        // The columns of an adjustment as stored, joined by "|".
        QString row(const QString& columns, const QString& id = "000012") {
            const QString joined = QString(columns).replace(", ", " || '|' || ");
            return t.scalar("SELECT " + joined + " FROM AcctAdjust WHERE AdjustID = ?", {id})
                .toString();
        }
    };

private Q_SLOTS:
    // The first failure wins, in the order reason, amount, date, number.
    void firstProblemWins_data() {
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, bool isNew, const QStringList& boxes,
                            const QString& message) {
            QTest::newRow(name) << isNew << boxes << message;
        };
        const QString noDate = "Adjustment Tran. Date error!";
        row("all wrong", true, {"000012", " ", "ABC", "31/02/2004"}, "Adjustment Reason missing!");
        row("amount before date", true, {"000012", "X", "ABC", "31/02/2004"},
            "Amount must be numeric!");
        row("date before number", true, {"000012", "X", "-50", "31/02/2004"}, noDate);
        row("blank date", true, {"000002", "X", "-50", BlankDateMask}, noDate);
        row("tomorrow", false, {"000012", "X", "5", "11/03/2004"},
            "Adjustment Tran. Date cannot greater than today!");
        row("stored number, new", true, {"000012", "X", "5", "10/03/2004"},
            "Adjustment ID already exists!");
        row("stored number, update", false, {"000012", "X", "-50", "10/03/2004"}, "");
        row("fresh number", true, {"000002", "X", "1,234.50", "09/03/2004"}, "");
    }
    void firstProblemWins() {
        QFETCH(bool, isNew);
        QFETCH(QStringList, boxes);
        QFETCH(QString, message);
        Shop s;
        const AdjustEntry entry{boxes[0], boxes[1], boxes[2], boxes[3], QString(), QString()};
        QCOMPARE(AdjustmentProblem(s.t.db(), entry, isNew, s.clock.today()), message);
    }

    void refusedKeys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        const QString numeric = "Adjustment ID must be numeric!";
        QTest::newRow("letters") << QString("A12") << numeric;
        QTest::newRow("sign") << QString("-12") << numeric;
        QTest::newRow("unknown") << QString("000099")
                                 << QString("Cannot find record with Adjustment ID: 000099");
    }
    void refusedKeys() {
        QFETCH(QString, key);
        QFETCH(QString, message);
        Shop s;
        QVERIFY(!s.load(key));
        QCOMPARE(s.t.messages.texts(), {message});
        QCOMPARE(s.t.messages.boxes.first().icon, MsgIcon::Exclamation);
    }

    // A stored adjustment is shown formatted and rewritten from the trimmed boxes.
    void storedAdjustmentRewritten() {
        Shop s;
        auto draft = s.load("000012");
        QVERIFY(draft && !draft->isNew);
        QCOMPARE(EntryFromRecord(draft->rec, false).AdjustAmt, "-1,234.50");
        QCOMPARE(EntryFromRecord(draft->rec, false).AdjustDate, "01/03/2004");
        ApplyEntry({" 000012 ", " TILL OVER ", " 75.25 ", "08/03/2004", " 44 ", " R-8 "}, "13",
                   draft->rec);
        QVERIFY(s.save(*draft));
        QCOMPARE(s.t.messages.texts(), {"Accounting Adjustment (Update) saved successfully"});
        // Inserted as new, the stored number is refused.
        draft->isNew = true;
        QVERIFY(!s.save(*draft));
        QVERIFY(s.t.messages.texts()[1].startsWith("Error # "));
        QCOMPARE(s.t.messages.texts().last(), "Accounting Adjustment (New) failed!");
        QCOMPARE(s.row("Description, AdjustAmt, AdjustDate, OrderID, ReceiptNum, EmployeeID"),
                 "TILL OVER|752500|2004-03-08|44|R-8|13");
    }

    // A number taken for a new adjustment and never saved deletes without complaint.
    void deleteAsksFirst_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("yes") << "000012" << int(AnswerYes) << 0;
        QTest::newRow("no") << "000012" << int(AnswerNo) << 1;
        QTest::newRow("never saved") << "000005" << int(AnswerYes) << 1;
    }
    void deleteAsksFirst() {
        QFETCH(QString, id);
        QFETCH(int, answer);
        QFETCH(int, left);
        Shop s;
        AcctAdjustRec rec;
        rec.AdjustID = id;
        s.t.messages.answers = {answer};
        QCOMPARE(ConfirmDeleteAdjustment(s.t.db(), s.t.messages, rec), answer == AnswerYes);
        QCOMPARE(s.t.messages.texts(), {"Deleted record cannot be restored!\rConfirm delete?"});
        QCOMPARE(s.t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(s.stored(), left);
    }

    // A new adjustment takes the next number at once and starts today. Esc and the title bar
    // ask before dropping what was typed; a refused entry keeps the form open; a saved one
    // closes it with nothing left to ask.
    void formByKeyboard() {
        Shop s;
        QVERIFY(s.t.exec("UPDATE SerialNo SET AdjustID = 41"));
        QVERIFY(s.open(QString()));
        QCOMPARE(s.count("SELECT AdjustID FROM SerialNo"), 42);
        QCOMPARE(s.box("txtAdjustID")->text(), "000041");
        QCOMPARE(s.box("txtAdjustDate")->displayText(), "10/03/2004");
        s.type("txtDescription", "cash short");
        s.t.messages.answers = {AnswerNo, AnswerCancel};
        s.press(Qt::Key_Escape);
        QVERIFY(!s.form->close());
        QCOMPARE(s.t.messages.texts(),
                 QStringList(2, "Data changed will not be saved!\rConfirm exit?"));
        s.type("txtAdjustAmt", "-50");
        s.type("txtAdjustDate", "11032004");
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts().last(), "Adjustment Tran. Date cannot greater than today!");
        QCOMPARE(s.t.messages.boxes.last().icon, MsgIcon::Exclamation);
        QVERIFY(!s.closed());
        s.type("txtAdjustDate", "10032004");
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts().last(), "Accounting Adjustment (New) saved successfully");
        QVERIFY(s.closed());
        QCOMPARE(s.ctx.DiscardAnswer, int(AnswerYes));
        QCOMPARE(
            s.row("Description, AdjustAmt, AdjustDate, EmployeeID, CreateDate, InDate", "000041"),
            "CASH SHORT|-500000|2004-03-10|13|2004-03-10|2004-03-10 18:40:00");
    }

    // The boxes show the adjustment, a new one without an amount. A Yes at the title bar
    // closes at once; a deleted adjustment leaves nothing to ask.
    void formClosesOnYes_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("title bar") << "";
        QTest::newRow("delete") << "000012";
    }
    void formClosesOnYes() {
        QFETCH(QString, key);
        Shop s;
        QVERIFY(s.open(key));
        QCOMPARE(s.box("txtDescription")->text(), key.isEmpty() ? "" : "TILL SHORT");
        QCOMPARE(s.box("txtAdjustAmt")->text(), key.isEmpty() ? "" : "-1,234.50");
        s.t.messages.answers = {AnswerYes};
        if (key.isEmpty())
            QVERIFY(s.form->close());
        else
            s.find<QPushButton>("cmdDelete")->click();
        QVERIFY(s.closed());
        QCOMPARE(s.t.messages.boxes.size(), 1);
        QCOMPARE(s.stored(), key.isEmpty() ? 1 : 0);
    }
};

QTEST_MAIN(TestAdjust)
#include "tst_adjust.moc"
