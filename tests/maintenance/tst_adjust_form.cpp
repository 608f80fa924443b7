#include "FormHarness.h"
#include "frmAcctAdjust.h"

#include <QPushButton>

class TestAdjustForm : public QObject {
    Q_OBJECT

private:
    // The adjustment form on a test database with adjustment 000012 stored; the clock says
    // 10/03/2004.
    struct Screen : FormHarness<frmAcctAdjust> {
        Screen() {
            QVERIFY(t.ok());
            QVERIFY(t.exec(QStringLiteral(
                "INSERT INTO AcctAdjust (InDate, ModDate, AdjustID, Description, AdjustAmt, "
                "AdjustDate, EmployeeID, CreateDate, OrderID, ReceiptNum) VALUES "
                "('2004-03-01 09:00:00', '2004-03-01 09:00:00', '000012', 'TILL SHORT', "
                "-12345000, '2004-03-01', '07', '2004-03-01', '', 'R-9')")));
            ctx.CurrentEmployeeID = QStringLiteral("13");
        }
        qint64 stored() { return count(QStringLiteral("SELECT COUNT(*) FROM AcctAdjust")); }
    };

private Q_SLOTS:
    // A date after today is refused and the form stays; mended, the entry saves. The date box
    // is typed through its mask; the rules themselves are tested without a window.
    void newAdjustmentSavedByKeyboard() {
        Screen s;
        QVERIFY(s.open(QString()));
        QCOMPARE(s.box("txtAdjustID")->text(), QStringLiteral("000001"));
        QCOMPARE(s.box("txtAdjustDate")->displayText(), QStringLiteral("10/03/2004"));
        s.type("txtDescription", QStringLiteral("cash short"));
        s.type("txtAdjustAmt", QStringLiteral("-50"));
        s.type("txtAdjustDate", QStringLiteral("11032004"));
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts(),
                 QStringList{"Adjustment Tran. Date cannot greater than today!"});
        QCOMPARE(s.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        QVERIFY(!s.closed());
        QCOMPARE(s.stored(), 1);
        s.t.messages.clear();
        s.type("txtAdjustDate", QStringLiteral("10032004"));
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts(),
                 QStringList{"Accounting Adjustment (New) saved successfully"});
        QVERIFY(s.closed());
        QCOMPARE(s.ctx.DiscardAnswer, int(AnswerYes));
        QCOMPARE(s.t.scalar(QStringLiteral("SELECT Description || '|' || AdjustAmt || '|' || "
                                           "AdjustDate || '|' || EmployeeID FROM AcctAdjust "
                                           "WHERE AdjustID = '000001'"))
                     .toString(),
                 QStringLiteral("CASH SHORT|-500000|2004-03-10|13"));
    }

    // Esc and the title bar both ask before dropping what was typed.
    void cancelAsks() {
        Screen s;
        QVERIFY(s.open(QString()));
        s.type("txtDescription", QStringLiteral("KEEP ME"));
        s.t.messages.answers = {AnswerNo, AnswerCancel, AnswerYes};
        s.press(Qt::Key_Escape);
        QCOMPARE(s.t.messages.texts(),
                 QStringList{"Data changed will not be saved!\rConfirm exit?"});
        QVERIFY(!s.closed());
        QCOMPARE(s.box("txtDescription")->text(), QStringLiteral("KEEP ME"));
        QVERIFY(!s.form->close());
        QCOMPARE(s.t.messages.boxes.size(), 2);
        QVERIFY(!s.closed());
        // A Yes at the title bar closes at once.
        QVERIFY(s.form->close());
        QCOMPARE(s.t.messages.boxes.size(), 3);
        QVERIFY(s.closed());
        QCOMPARE(s.stored(), 1);
    }

    void deleteRemovesStored_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("yes") << int(AnswerYes) << 0;
        QTest::newRow("no") << int(AnswerNo) << 1;
    }
    void deleteRemovesStored() {
        QFETCH(int, answer);
        QFETCH(int, left);
        Screen s;
        QVERIFY(s.open(QStringLiteral("000012")));
        QCOMPARE(s.box("txtDescription")->text(), QStringLiteral("TILL SHORT"));
        QCOMPARE(s.box("txtAdjustAmt")->text(), QStringLiteral("-1,234.50"));
        s.t.messages.answers = {answer};
        s.form->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
        QCOMPARE(s.stored(), left);
        QCOMPARE(s.closed(), left == 0);
    }
};

QTEST_MAIN(TestAdjustForm)
#include "tst_adjust_form.moc"
