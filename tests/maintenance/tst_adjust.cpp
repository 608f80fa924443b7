#include "Cases.h"
#include "FormHarness.h"
#include "StockedShop.h"
#include "adjustActions.h"
#include "adjustEntry.h"
#include "frmAcctAdjust.h"

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
    // The first failure wins, in the order reason, amount, date, number. Each row is: new or
    // stored, the boxes number, reason, amount and date, the message.
    void firstProblemWins_data() {
        selfNamedRows({"new|000012| |ABC|31/02/2004|Adjustment Reason missing!",
                       "new|000012|X|ABC|31/02/2004|Amount must be numeric!",
                       "new|000012|X|-50|31/02/2004|Adjustment Tran. Date error!",
                       "stored|000012|X|5|11/03/2004|Adjustment Tran. Date cannot "
                       "greater than today!",
                       "new|000012|X|5|10/03/2004|Adjustment ID already exists!",
                       "stored|000012|X|-50|10/03/2004|", "new|000002|X|1,234.50|09/03/2004|"});
    }
    void firstProblemWins() {
        QFETCH(QString, row);
        const QStringList b = row.split('|');
        Shop s;
        const AdjustEntry entry{b[1], b[2], b[3], b[4], QString(), QString()};
        QCOMPARE(AdjustmentProblem(s.t.db(), entry, b[0] == "new", s.clock.today()), b[5]);
    }

    // A key must be all digits and on file; the load says why it is not. A stored adjustment
    // is shown formatted and rewritten from the trimmed boxes.
    void loadAndRewrite() {
        Shop s;
        for (const char* key : {"A12", "-12", "000099"})
            QVERIFY(!s.load(key));
        QCOMPARE(s.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        auto draft = s.load("000012");
        QVERIFY(draft && !draft->isNew);
        const AdjustEntry shown = EntryFromRecord(draft->rec, false);
        QCOMPARE(shown.AdjustAmt + shown.AdjustDate, "-1,234.5001/03/2004");
        ApplyEntry({" 000012 ", " TILL OVER ", " 75.25 ", "08/03/2004", " 44 ", " R-8 "}, "13",
                   draft->rec);
        QVERIFY(s.save(*draft));
        const QString numeric = "Adjustment ID must be numeric!";
        QCOMPARE(s.t.messages.texts(),
                 QStringList({numeric, numeric, "Cannot find record with Adjustment ID: 000099",
                              "Accounting Adjustment (Update) saved successfully"}));
        // Inserted as new, the stored number is refused.
        draft->isNew = true;
        QVERIFY(!s.save(*draft) && s.t.messages.texts()[4].startsWith("Error # "));
        QCOMPARE(s.t.messages.texts().last(), "Accounting Adjustment (New) failed!");
        QCOMPARE(s.row("Description, AdjustAmt, AdjustDate, OrderID, ReceiptNum, EmployeeID"),
                 "TILL OVER|752500|2004-03-08|44|R-8|13");
    }

    // A new adjustment takes the next number at once and is created today. Esc and the title
    // bar ask before dropping what was typed; a refused entry keeps the form open; a saved one
    // closes it with nothing left to ask.
    void formByKeyboard() {
        Shop s;
        QVERIFY(s.t.exec("UPDATE SerialNo SET AdjustID = 41") && s.open(QString()));
        QCOMPARE(s.count("SELECT AdjustID FROM SerialNo"), 42);
        QCOMPARE(s.box("txtAdjustID")->text(), "000041");
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

    // Delete asks first; a Yes there or at the title bar closes at once, and a number never
    // saved deletes without complaint.
    void formAsksOnce_data() {
        selfNamedRows(
            {"title bar, yes", "delete 000012, yes", "delete 000012, no", "delete new, yes"});
    }
    void formAsksOnce() {
        QFETCH(QString, row);
        const QString& act = row;
        const QString key = act.contains("000012") ? "000012" : "";
        const int answer = act.endsWith("yes") ? AnswerYes : AnswerNo;
        const bool byDelete = act.startsWith("delete");
        Shop s;
        QVERIFY(s.open(key));
        s.t.messages.answers = {answer};
        if (byDelete)
            s.find<QPushButton>("cmdDelete")->click();
        else
            QVERIFY(s.form->close());
        QCOMPARE(s.closed(), answer == AnswerYes);
        QCOMPARE(s.t.messages.texts(),
                 {byDelete ? "Deleted record cannot be restored!\rConfirm delete?"
                           : "Data changed will not be saved!\rConfirm exit?"});
        QCOMPARE(s.t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(s.stored(), !key.isEmpty() && answer == AnswerYes ? 0 : 1);
    }
};

QTEST_MAIN(TestAdjust)
#include "tst_adjust.moc"
