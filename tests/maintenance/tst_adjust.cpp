#include "FormHarness.h"
#include "StockedShop.h"
#include "adjustActions.h"
#include "adjustEntry.h"
#include "frmAcctAdjust.h"
#include "utility.h"

#include <QPushButton>

static const char* const Future = "Adjustment Tran. Date cannot greater than today!";

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
    // The first failure wins, in the order reason, amount, date, number. Boxes are number,
    // reason, amount, date.
    void firstProblemWins_data() {
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, bool isNew, const QString& boxes, const char* msg) {
            QTest::newRow(name) << isNew << boxes << QString(msg);
        };
        const char* noDate = "Adjustment Tran. Date error!";
        row("all wrong", true, "000012| |ABC|31/02/2004", "Adjustment Reason missing!");
        row("amount before date", true, "000012|X|ABC|31/02/2004", "Amount must be numeric!");
        row("date before number", true, "000012|X|-50|31/02/2004", noDate);
        row("blank date", true, "000002|X|-50|" + BlankDateMask, noDate);
        row("tomorrow", false, "000012|X|5|11/03/2004", Future);
        row("stored number, new", true, "000012|X|5|10/03/2004", "Adjustment ID already exists!");
        row("stored number, update", false, "000012|X|-50|10/03/2004", "");
        row("fresh number", true, "000002|X|1,234.50|09/03/2004", "");
    }
    void firstProblemWins() {
        QFETCH(bool, isNew);
        QFETCH(QString, boxes);
        QFETCH(QString, message);
        Shop s;
        const QStringList b = boxes.split('|');
        const AdjustEntry entry{b[0], b[1], b[2], b[3], QString(), QString()};
        QCOMPARE(AdjustmentProblem(s.t.db(), entry, isNew, s.clock.today()), message);
    }

    // A key must be all digits and on file; the load says why it is not.
    void refusedKeys() {
        Shop s;
        for (const char* key : {"A12", "-12", "000099"})
            QVERIFY(!s.load(key));
        const QString numeric = "Adjustment ID must be numeric!";
        QCOMPARE(s.t.messages.texts(),
                 QStringList({numeric, numeric, "Cannot find record with Adjustment ID: 000099"}));
        QCOMPARE(s.t.messages.boxes.first().icon, MsgIcon::Exclamation);
    }

    // A stored adjustment is shown formatted and rewritten from the trimmed boxes.
    void storedAdjustmentRewritten() {
        Shop s;
        auto draft = s.load("000012");
        QVERIFY(draft && !draft->isNew);
        const AdjustEntry shown = EntryFromRecord(draft->rec, false);
        QCOMPARE(shown.AdjustAmt + shown.AdjustDate, "-1,234.5001/03/2004");
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
        QCOMPARE(s.t.messages.texts().last(), Future);
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

    // The boxes show the adjustment, a new one without an amount. Delete asks first; a Yes
    // there or at the title bar closes at once, and a number never saved deletes without
    // complaint.
    void formAsksOnce_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("title bar") << QString() << QString() << int(AnswerYes);
        QTest::newRow("delete, yes") << QString("000012") << QString("cmdDelete") << int(AnswerYes);
        QTest::newRow("delete, no") << QString("000012") << QString("cmdDelete") << int(AnswerNo);
        QTest::newRow("never saved") << QString() << QString("cmdDelete") << int(AnswerYes);
    }
    void formAsksOnce() {
        QFETCH(QString, key);
        QFETCH(QString, button);
        QFETCH(int, answer);
        Shop s;
        QVERIFY(s.open(key));
        QCOMPARE(s.box("txtDescription")->text() + s.box("txtAdjustAmt")->text(),
                 key.isEmpty() ? "" : "TILL SHORT-1,234.50");
        s.t.messages.answers = {answer};
        if (button.isEmpty())
            QVERIFY(s.form->close());
        else
            s.find<QPushButton>(button)->click();
        QCOMPARE(s.closed(), answer == AnswerYes);
        QCOMPARE(s.t.messages.texts(),
                 {button.isEmpty() ? "Data changed will not be saved!\rConfirm exit?"
                                   : "Deleted record cannot be restored!\rConfirm delete?"});
        QCOMPARE(s.t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(s.stored(), !key.isEmpty() && !button.isEmpty() && answer == AnswerYes ? 0 : 1);
    }
};

QTEST_MAIN(TestAdjust)
#include "tst_adjust.moc"
