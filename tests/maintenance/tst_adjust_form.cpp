#include "AppContext.h"
#include "TestClock.h"
#include "TestDb.h"
#include "TestSettings.h"
#include "frmAcctAdjust.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestAdjustForm : public QObject {
    Q_OBJECT

private:
    // The adjustment form on a test database with adjustment 000012 stored; the clock says
    // 10/03/2004.
    struct Screen {
        Screen() {
            QVERIFY(t.ok());
            QVERIFY(t.exec(QStringLiteral(
                "INSERT INTO AcctAdjust (InDate, ModDate, AdjustID, Description, AdjustAmt, "
                "AdjustDate, EmployeeID, CreateDate, OrderID, ReceiptNum) VALUES "
                "('2004-03-01 09:00:00', '2004-03-01 09:00:00', '000012', 'TILL SHORT', "
                "-12345000, '2004-03-01', '07', '2004-03-01', '', 'R-9')")));
            ctx.CurrentEmployeeID = QStringLiteral("13");
            form = new frmAcctAdjust(ctx);
        }
        ~Screen() { delete form.data(); }

        // Opens the form the way the main window does: Start, then show.
        bool start(const QString& key) {
            if (!form->Start(key))
                return false;
            form->show();
            form->activateWindow();
            return QTest::qWaitForWindowActive(form);
        }
        QLineEdit* box(const char* name) const {
            return form->findChild<QLineEdit*>(QString::fromLatin1(name));
        }
        void type(const char* name, const QString& text) const {
            QLineEdit* target = box(name);
            target->setFocus();
            target->selectAll();
            QTest::keyClicks(target, text);
        }
        void press(Qt::Key key) const { QTest::keyClick(form->windowHandle(), key); }
        // The form deletes itself once closed; let the deferred delete run.
        bool closed() {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return form.isNull();
        }
        int stored() { return t.scalar(QStringLiteral("SELECT COUNT(*) FROM AcctAdjust")).toInt(); }

        TestDb t;
        TestClock clock;
        TestSettings store;
        AppContext ctx{t.db(), t.messages, clock, store.settings};
        QPointer<frmAcctAdjust> form;
    };

private Q_SLOTS:
    void newAdjustmentShowsItsNumber() {
        Screen s;
        QVERIFY(s.start(QString()));
        QVERIFY(s.form->IsNew());
        QCOMPARE(s.form->windowTitle(), QStringLiteral("Accounting Adjustment (New) "));
        QCOMPARE(s.box("txtAdjustID")->text(), QStringLiteral("000001"));
        QCOMPARE(s.box("txtAdjustDate")->displayText(), QStringLiteral("10/03/2004"));
        QCOMPARE(s.box("txtAdjustAmt")->text(), QString());
        QCOMPARE(s.form->focusWidget(), s.box("txtDescription"));
        QCOMPARE(s.t.scalar(QStringLiteral("SELECT AdjustID FROM SerialNo")).toInt(), 2);
    }

    void storedAdjustmentShowsItsFields() {
        Screen s;
        QVERIFY(s.start(QStringLiteral("000012")));
        QVERIFY(!s.form->IsNew());
        QCOMPARE(s.form->windowTitle(), QStringLiteral("Accounting Adjustment (Update) "));
        QCOMPARE(s.box("txtDescription")->text(), QStringLiteral("TILL SHORT"));
        QCOMPARE(s.box("txtAdjustAmt")->text(), QStringLiteral("-1,234.50"));
        QCOMPARE(s.box("txtAdjustDate")->displayText(), QStringLiteral("01/03/2004"));
        QCOMPARE(s.box("txtReceiptNum")->text(), QStringLiteral("R-9"));
    }

    void refusedKeyShowsNothing() {
        Screen s;
        QVERIFY(!s.form->Start(QStringLiteral("ABC")));
        QCOMPARE(s.t.messages.texts(), QStringList{"Adjustment ID must be numeric!"});
        QVERIFY(!s.form->isVisible());
    }

    // Typed by keyboard: capitals, a negative amount, F12.
    void newAdjustmentSavedByKeyboard() {
        Screen s;
        QVERIFY(s.start(QString()));
        s.type("txtDescription", QStringLiteral("cash short"));
        s.type("txtAdjustAmt", QStringLiteral("-50"));
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

    void refusedEntryKeepsForm_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters for amount") << "abc"
                                            << "10032004"
                                            << "Amount must be numeric!";
        QTest::newRow("tomorrow") << "5"
                                  << "11032004"
                                  << "Adjustment Tran. Date cannot greater than today!";
    }
    void refusedEntryKeepsForm() {
        QFETCH(QString, amount);
        QFETCH(QString, date);
        QFETCH(QString, message);
        Screen s;
        QVERIFY(s.start(QString()));
        s.type("txtDescription", QStringLiteral("REFUND"));
        s.type("txtAdjustAmt", amount);
        s.type("txtAdjustDate", date);
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts(), QStringList{message});
        QCOMPARE(s.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        QVERIFY(!s.closed());
        QCOMPARE(s.stored(), 1);
    }

    void updateSavedWithItsNumber() {
        Screen s;
        QVERIFY(s.start(QStringLiteral("000012")));
        s.type("txtAdjustAmt", QStringLiteral("20"));
        s.form->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        QCOMPARE(s.t.messages.texts(),
                 QStringList{"Accounting Adjustment (Update) saved successfully"});
        QVERIFY(s.closed());
        QCOMPARE(s.t.scalar(QStringLiteral("SELECT AdjustAmt FROM AcctAdjust")).toLongLong(),
                 qint64(200000));
    }

    // Esc asks; No keeps the form and what was typed, Yes closes without writing.
    void cancelAsks() {
        Screen s;
        QVERIFY(s.start(QString()));
        s.type("txtDescription", QStringLiteral("KEEP ME"));
        s.t.messages.answers = {AnswerNo, AnswerYes};
        s.press(Qt::Key_Escape);
        QCOMPARE(s.t.messages.texts(),
                 QStringList{"Data changed will not be saved!\rConfirm exit?"});
        QVERIFY(!s.closed());
        QCOMPARE(s.box("txtDescription")->text(), QStringLiteral("KEEP ME"));
        s.press(Qt::Key_Escape);
        QVERIFY(s.closed());
        QCOMPARE(s.stored(), 1);
    }

    void titleBarCloseAsksToo() {
        Screen s;
        QVERIFY(s.start(QStringLiteral("000012")));
        s.t.messages.answers = {AnswerCancel};
        QVERIFY(!s.form->close());
        QCOMPARE(s.t.messages.boxes.size(), 1);
        QVERIFY(!s.closed());
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
        QVERIFY(s.start(QStringLiteral("000012")));
        s.t.messages.answers = {answer};
        s.form->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
        QCOMPARE(s.stored(), left);
        QCOMPARE(s.closed(), left == 0);
    }
};

QTEST_MAIN(TestAdjustForm)
#include "tst_adjust_form.moc"
