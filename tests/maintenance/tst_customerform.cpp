#include "AppContext.h"
#include "MaskedLineEdit.h"
#include "TestClock.h"
#include "TestDb.h"
#include "TestSettings.h"
#include "customers.h"
#include "frmCustomer.h"
#include "utility.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

CustomerRec member(const QString& id, const QString& english) {
    CustomerRec rec;
    rec.InDate = rec.ModDate = QDateTime(QDate(2003, 6, 1), QTime(10, 0));
    rec.CustomerID = id;
    rec.Active = QStringLiteral("Y");
    rec.JoinDate = QDate(2003, 6, 1);
    rec.HKID = QStringLiteral("A1234567");
    rec.HKResident = QStringLiteral("Y");
    rec.ChineseName = QStringLiteral("陳大文");
    rec.EnglishName = english;
    rec.Sex = QStringLiteral("M");
    rec.BirthDate = QDate(1980, 5, 6);
    rec.TransRemarks = QStringLiteral("PAYS LATE");
    rec.RentTimes = 5;
    rec.LastRentDate = NoDate;
    return rec;
}

} // namespace

class Test_customerform : public QObject {
    Q_OBJECT

private:
    // Members 000001 (with an order) and 000002 (without) on a test database; the form is
    // opened by open().
    struct Counter {
        Counter() {
            QVERIFY(t.ok());
            QVERIFY(InsertCustomer(t.db(), withOrder));
            QVERIFY(InsertCustomer(t.db(), withoutOrder));
            QVERIFY(t.exec(QStringLiteral("INSERT INTO Orders (OrderID, CustomerID) VALUES "
                                          "('000050', '000001')")));
        }
        ~Counter() { delete form; }

        bool open(const QString& key) {
            form = new frmCustomer(ctx);
            if (!form->Start(key))
                return false;
            form->show();
            form->activateWindow();
            return QTest::qWaitForWindowActive(form);
        }
        template <typename T = QLineEdit> T* find(const QString& name) const {
            T* child = form->findChild<T*>(name);
            if (!child)
                qWarning("no control %s", qPrintable(name));
            return child;
        }
        // Replaces a box's text the way the clerk does: select all, type over it.
        void type(const QString& box, const QString& text) const {
            QLineEdit* edit = find(box);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
        void press(Qt::Key key) const { QTest::keyClick(form->windowHandle(), key); }
        // Lets a closed form finish deleting itself.
        bool closed() {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return form.isNull();
        }
        CustomerRec stored(const QString& id) {
            CustomerRec rec;
            rec.CustomerID = id;
            return GetCustomer(t.db(), rec) ? rec : CustomerRec();
        }
        qint64 members() {
            return t.scalar(QStringLiteral("SELECT count(*) FROM Customers")).toLongLong();
        }

        TestDb t;
        TestClock clock;
        TestSettings store;
        AppContext ctx{t.db(), t.messages, clock, store.settings};
        CustomerRec withOrder = member(QStringLiteral("000001"), QStringLiteral("CHAN TAI MAN"));
        CustomerRec withoutOrder = member(QStringLiteral("000002"), QStringLiteral("LEE SIU"));
        QPointer<frmCustomer> form;
    };

private Q_SLOTS:
    void lettersRefused() {
        Counter c;
        QVERIFY(!c.open(QStringLiteral("A00012")));
        QCOMPARE(c.t.messages.texts(), QStringList{"Customer ID must be numeric!"});
        QCOMPARE(c.t.messages.boxes[0].icon, MsgIcon::Exclamation);
        QVERIFY(!c.form->isVisible());
    }

    void newModeOnUnknownNumber() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000123")));
        QCOMPARE(c.form->windowTitle(), QStringLiteral("Customer (New) "));
        QVERIFY(c.form->IsNew());
        QLineEdit* id = c.find(QStringLiteral("txtCustomerID"));
        QCOMPARE(id->text(), QStringLiteral("000123"));
        QVERIFY(id->isEnabled());
        QCOMPARE(QApplication::focusWidget(), id);
        QCOMPARE(id->selectedText(), QStringLiteral("000123"));
        QVERIFY(!c.find<QPushButton>(QStringLiteral("cmdDelete"))->isEnabled());
        const QList<std::pair<const char*, QString>> shown = {{"txtActive", "Y"},
                                                              {"txtHKResident", "Y"},
                                                              {"txtSex", "M"},
                                                              {"txtRentTimes", "0"},
                                                              {"txtLastRentDate", BlankDateMask}};
        for (const auto& [box, text] : shown)
            QCOMPARE(c.find(QString::fromLatin1(box))->text(), text);
        QCOMPARE(c.find<MaskedLineEdit>(QStringLiteral("txtJoinDate"))->text(), "10/03/2004");
        QCOMPARE(c.find<MaskedLineEdit>(QStringLiteral("txtBirthDate"))->text(), BlankDateMask);
        QCOMPARE(c.find<QLabel>(QStringLiteral("sbPanel2"))->text(),
                 QStringLiteral("10/03/2004 18:40"));
    }

    void updateModeLocksNumberOnceOrdersExist_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QString>("focus");
        QTest::newRow("with an order") << "000001" << false << "txtEnglishName";
        QTest::newRow("without orders") << "000002" << true << "txtCustomerID";
    }
    void updateModeLocksNumberOnceOrdersExist() {
        QFETCH(QString, number);
        QFETCH(bool, editable);
        QFETCH(QString, focus);
        Counter c;
        QVERIFY(c.open(number));
        QCOMPARE(c.form->windowTitle(), QStringLiteral("Customer (Update) "));
        QCOMPARE(c.find(QStringLiteral("txtCustomerID"))->isEnabled(), editable);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(c.find<QPushButton>(QStringLiteral("cmdDelete"))->isEnabled());
        QCOMPARE(c.find(QStringLiteral("txtChineseName"))->text(), QStringLiteral("陳大文"));
        QCOMPARE(c.find<MaskedLineEdit>(QStringLiteral("txtBirthDate"))->text(), "06/05/1980");
        QCOMPARE(c.find(QStringLiteral("txtTransRemarks"))->text(), QStringLiteral("PAYS LATE"));
    }

    void captionsOnTheForm() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000002")));
        QStringList captions;
        for (const QLabel* label : c.form->findChildren<QLabel*>())
            captions << label->text();
        for (const char* caption :
             {"Cust. ID:", "Valid:",  "Join Date:", "(DD/MM/YYYY)", "I.D.:",     "Local Residence:",
              "Name:",     "(L)",     "(E)",        "Sex:",         "D.O.B.:",   "Address:",
              "Phone1:",   "Phone2:", "Phone3:",    "Remarks1:",    "Remarks2:", "Rent Remarks:",
              "Rent:",     "Return:", "Late:",      "Damage:",      "Buy:",      "Last Rent:"})
            QVERIFY2(captions.contains(QString::fromLatin1(caption)), caption);
        QCOMPARE(c.find<QPushButton>(QStringLiteral("cmdSave"))->text(), "Save (F12)");
        QCOMPARE(c.find<QPushButton>(QStringLiteral("cmdCancel"))->text(), "Cancel (Esc)");
        QCOMPARE(c.find<QPushButton>(QStringLiteral("cmdDelete"))->text(), "Delete");
    }

    void newMemberTypedAndSaved() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000123")));
        c.type(QStringLiteral("txtEnglishName"), QStringLiteral("wong ka yan"));
        c.type(QStringLiteral("txtHKID"), QStringLiteral("b7654321"));
        c.type(QStringLiteral("txtSex"), QStringLiteral("f"));
        c.type(QStringLiteral("txtActive"), QStringLiteral("y"));
        c.find(QStringLiteral("txtBirthDate"))->setFocus();
        c.find(QStringLiteral("txtBirthDate"))->setCursorPosition(0);
        QTest::keyClicks(c.find(QStringLiteral("txtBirthDate")), QStringLiteral("01021990"));
        c.press(Qt::Key_F12);
        QCOMPARE(c.t.messages.texts(), QStringList{"Customer (New) saved successfully"});
        QCOMPARE(c.t.messages.boxes[0].icon, MsgIcon::Information);
        QVERIFY(c.closed());
        const CustomerRec saved = c.stored(QStringLiteral("000123"));
        QCOMPARE(saved.EnglishName, QStringLiteral("WONG KA YAN"));
        QCOMPARE(saved.HKID, QStringLiteral("B7654321"));
        QCOMPARE(saved.Sex, QStringLiteral("F"));
        QCOMPARE(saved.Active, QStringLiteral("Y"));
        QCOMPARE(saved.BirthDate, QDate(1990, 2, 1));
        QCOMPARE(saved.JoinDate, QDate(2004, 3, 10));
    }

    void refusedEntryStaysOpen_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("inner blank") << "txtHKID"
                                     << "A1 2"
                                     << "Identity Number error!";
        QTest::newRow("residence") << "txtHKResident"
                                   << "x"
                                   << "Local Residence error!";
        QTest::newRow("taken number") << "txtCustomerID"
                                      << "000001"
                                      << "Customer ID already exists!";
    }
    void refusedEntryStaysOpen() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Counter c;
        QVERIFY(c.open(QStringLiteral("000002")));
        c.type(box, typed);
        c.press(Qt::Key_F12);
        QCOMPARE(c.t.messages.texts(), QStringList{message});
        QCOMPARE(c.t.messages.boxes[0].icon, MsgIcon::Exclamation);
        QVERIFY(!c.closed());
        QCOMPARE(c.find(box)->text(), typed.toUpper());
        QCOMPARE(c.stored(QStringLiteral("000002")).ModDate, c.withoutOrder.ModDate);
    }

    void updateSavesWhatClerkMayChange() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000001")));
        c.type(QStringLiteral("txtAddress"), QStringLiteral("1 nathan road"));
        // Shown figures and rent remarks are never taken from the form.
        c.find(QStringLiteral("txtRentTimes"))->setText(QStringLiteral("99"));
        c.find(QStringLiteral("txtTransRemarks"))->setText(QStringLiteral("CHANGED"));
        c.clock.advanceDays(2);
        c.find<QPushButton>(QStringLiteral("cmdSave"))->click();
        QCOMPARE(c.t.messages.texts(), QStringList{"Customer (Update) saved successfully"});
        QVERIFY(c.closed());
        const CustomerRec saved = c.stored(QStringLiteral("000001"));
        QCOMPARE(saved.Address, QStringLiteral("1 NATHAN ROAD"));
        QCOMPARE(saved.RentTimes, qint64(5));
        QCOMPARE(saved.TransRemarks, QStringLiteral("PAYS LATE"));
        QCOMPARE(saved.ModDate, c.clock.now());
        QCOMPARE(saved.InDate, c.withOrder.InDate);
    }

    void failedSaveKeepsInput() {
        Counter c;
        QVERIFY(c.t.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Customers "
                                        "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        QVERIFY(c.open(QStringLiteral("000123")));
        c.type(QStringLiteral("txtEnglishName"), QStringLiteral("HO"));
        c.press(Qt::Key_F12);
        const QStringList texts = c.t.messages.texts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts[0].startsWith(QStringLiteral("Error # ")));
        QCOMPARE(texts[1], QStringLiteral("Customer (New) failed!"));
        QCOMPARE(c.t.messages.boxes[1].icon, MsgIcon::Exclamation);
        QVERIFY(!c.closed());
        QCOMPARE(c.find(QStringLiteral("txtEnglishName"))->text(), QStringLiteral("HO"));
        QCOMPARE(c.members(), qint64(2));
    }

    void cancelWritesNothing_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("button") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("title bar") << 2;
    }
    void cancelWritesNothing() {
        QFETCH(int, how);
        Counter c;
        QVERIFY(c.open(QStringLiteral("000002")));
        c.type(QStringLiteral("txtEnglishName"), QStringLiteral("SOMEONE ELSE"));
        if (how == 0)
            c.find<QPushButton>(QStringLiteral("cmdCancel"))->click();
        else if (how == 1)
            c.press(Qt::Key_Escape);
        else
            c.form->close();
        QVERIFY(c.closed());
        QVERIFY(c.t.messages.boxes.isEmpty());
        const CustomerRec kept = c.stored(QStringLiteral("000002"));
        QCOMPARE(kept.EnglishName, QStringLiteral("LEE SIU"));
        QCOMPARE(kept.ModDate, c.withoutOrder.ModDate);
    }

    void deleteRefusedWithOrders() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000001")));
        c.find<QPushButton>(QStringLiteral("cmdDelete"))->click();
        QCOMPARE(c.t.messages.texts(),
                 QStringList{"Customer has transaction records, cannot delete!"});
        QVERIFY(!c.closed());
        QCOMPARE(c.members(), qint64(2));
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("yes") << int(AnswerYes) << true;
        QTest::newRow("no") << int(AnswerNo) << false;
        QTest::newRow("cancel") << int(AnswerCancel) << false;
    }
    void deleteAsksFirst() {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        Counter c;
        QVERIFY(c.open(QStringLiteral("000002")));
        c.t.messages.answers = {answer};
        c.find<QPushButton>(QStringLiteral("cmdDelete"))->click();
        QCOMPARE(c.t.messages.texts(),
                 QStringList{"Deleted record cannot be restored!\rConfirm delete?"});
        QCOMPARE(c.t.messages.boxes[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(c.t.messages.boxes[0].icon, MsgIcon::Question);
        QCOMPARE(c.closed(), deleted);
        QCOMPARE(c.stored(QStringLiteral("000002")).RAWID == 0, deleted);
        QCOMPARE(c.members(), deleted ? qint64(1) : qint64(2));
    }
};

QTEST_MAIN(Test_customerform)
#include "tst_customerform.moc"
