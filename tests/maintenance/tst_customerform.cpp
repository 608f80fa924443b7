#include "FormHarness.h"
#include "MaskedLineEdit.h"
#include "customerentry.h"
#include "customers.h"
#include "frmCustomer.h"
#include "utility.h"

#include <QPushButton>

namespace {

// A member on file since 1 June 2003.
CustomerRec member(const QString& id, const QString& english) {
    const QDateTime joined(QDate(2003, 6, 1), QTime(10, 0));
    CustomerRec rec = NewCustomer(id, TestClock(joined));
    rec.InDate = rec.ModDate = joined;
    rec.EnglishName = english;
    rec.BirthDate = QDate(1980, 5, 6);
    rec.Address = QStringLiteral("FLAT A, 12/F, BLOCK 3, GOLDEN GARDEN, 123 NATHAN ROAD, "
                                 "YAU MA TEI, KOWLOON, HONG KONG SAR.");
    return rec;
}

} // namespace

class Test_customerform : public QObject {
    Q_OBJECT

private:
    // Members 000001 (with an order) and 000002 (without) on a test database.
    struct Counter : FormHarness<frmCustomer> {
        Counter() {
            QVERIFY(t.ok());
            QVERIFY(InsertCustomer(t.db(), withOrder));
            QVERIFY(InsertCustomer(t.db(), withoutOrder));
            QVERIFY(t.exec(QStringLiteral("INSERT INTO Orders (OrderID, CustomerID) VALUES "
                                          "('000050', '000001')")));
        }
        CustomerRec stored(const QString& id) {
            CustomerRec rec;
            rec.CustomerID = id;
            return GetCustomer(t.db(), rec) ? rec : CustomerRec();
        }
        qint64 members() { return count(QStringLiteral("SELECT count(*) FROM Customers")); }

        CustomerRec withOrder = member(QStringLiteral("000001"), QStringLiteral("CHAN TAI MAN"));
        CustomerRec withoutOrder = member(QStringLiteral("000002"), QStringLiteral("LEE SIU"));
    };

private Q_SLOTS:
    void lettersRefused() {
        Counter c;
        QVERIFY(!c.open(QStringLiteral("A00012")));
        QCOMPARE(c.t.messages.texts(), QStringList{"Customer ID must be numeric!"});
        QCOMPARE(c.t.messages.boxes[0].icon, MsgIcon::Exclamation);
        QVERIFY(!c.form->isVisible());
    }

    // The number is locked once orders exist; Delete waits until a new member is saved.
    void opensInItsMode_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("birth");
        QTest::newRow("new") << "000123" << true << "txtCustomerID" << BlankDateMask;
        QTest::newRow("with an order") << "000001" << false << "txtEnglishName"
                                       << "06/05/1980";
        QTest::newRow("without orders") << "000002" << true << "txtCustomerID"
                                        << "06/05/1980";
    }
    void opensInItsMode() {
        QFETCH(QString, number);
        QFETCH(bool, editable);
        QFETCH(QString, focus);
        QFETCH(QString, birth);
        Counter c;
        QVERIFY(c.open(number));
        QCOMPARE(c.form->IsNew(), number == "000123");
        QCOMPARE(c.box(QStringLiteral("txtCustomerID"))->isEnabled(), editable);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(c.find<QPushButton>(QStringLiteral("cmdDelete"))->isEnabled(), !c.form->IsNew());
        QCOMPARE(c.find<MaskedLineEdit>(QStringLiteral("txtBirthDate"))->text(), birth);
        // A long address is shown from its start.
        QCOMPARE(c.box(QStringLiteral("txtAddress"))->cursorPosition(), 0);
    }

    void newMemberTypedAndSaved() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000123")));
        c.type(QStringLiteral("txtEnglishName"), QStringLiteral("wong ka yan"));
        c.type(QStringLiteral("txtSex"), QStringLiteral("f"));
        QLineEdit* birth = c.box(QStringLiteral("txtBirthDate"));
        birth->setFocus();
        birth->setCursorPosition(0);
        QTest::keyClicks(birth, QStringLiteral("01021990"));
        c.press(Qt::Key_F12);
        QCOMPARE(c.t.messages.texts(), QStringList{"Customer (New) saved successfully"});
        QVERIFY(c.closed());
        const CustomerRec saved = c.stored(QStringLiteral("000123"));
        QCOMPARE(saved.EnglishName, QStringLiteral("WONG KA YAN"));
        QCOMPARE(saved.Sex, QStringLiteral("F"));
        QCOMPARE(saved.BirthDate, QDate(1990, 2, 1));
        QCOMPARE(saved.JoinDate, QDate(2004, 3, 10));
    }

    void refusedEntryStaysOpen() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000002")));
        c.type(QStringLiteral("txtCustomerID"), QStringLiteral("000001"));
        c.press(Qt::Key_F12);
        QCOMPARE(c.t.messages.texts(), QStringList{"Customer ID already exists!"});
        QVERIFY(!c.closed());
        QCOMPARE(c.stored(QStringLiteral("000002")).ModDate, c.withoutOrder.ModDate);
    }

    void updateSavedByButton() {
        Counter c;
        QVERIFY(c.open(QStringLiteral("000001")));
        c.type(QStringLiteral("txtAddress"), QStringLiteral("1 nathan road"));
        c.clock.advanceDays(2);
        c.find<QPushButton>(QStringLiteral("cmdSave"))->click();
        QCOMPARE(c.t.messages.texts(), QStringList{"Customer (Update) saved successfully"});
        QVERIFY(c.closed());
        const CustomerRec saved = c.stored(QStringLiteral("000001"));
        QCOMPARE(saved.Address, QStringLiteral("1 NATHAN ROAD"));
        QCOMPARE(saved.ModDate, c.clock.now());
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
        QVERIFY(!c.closed());
        QCOMPARE(c.box(QStringLiteral("txtEnglishName"))->text(), QStringLiteral("HO"));
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

    // Refused while orders exist; otherwise asked first.
    void deleteMember_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("deleted");
        const QString ask = QStringLiteral("Deleted record cannot be restored!\rConfirm delete?");
        QTest::newRow("orders on file")
            << "000001" << int(AnswerYes)
            << QStringLiteral("Customer has transaction records, cannot delete!") << false;
        QTest::newRow("yes") << "000002" << int(AnswerYes) << ask << true;
        QTest::newRow("no") << "000002" << int(AnswerNo) << ask << false;
    }
    void deleteMember() {
        QFETCH(QString, number);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(bool, deleted);
        Counter c;
        QVERIFY(c.open(number));
        c.t.messages.answers = {answer};
        c.find<QPushButton>(QStringLiteral("cmdDelete"))->click();
        QCOMPARE(c.t.messages.texts(), QStringList{message});
        QCOMPARE(c.closed(), deleted);
        QCOMPARE(c.stored(number).RAWID == 0, deleted);
        QCOMPARE(c.members(), deleted ? qint64(1) : qint64(2));
    }
};

QTEST_MAIN(Test_customerform)
#include "tst_customerform.moc"
