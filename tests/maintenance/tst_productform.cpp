#include "FormHarness.h"
#include "frmProduct.h"
#include "shoprows.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

// The product form on a test database, driven by keys and clicks as the clerk would.
class TestProductForm : public QObject {
    Q_OBJECT

private:
    // Title 000005 with copies B00001 (bought for 1,234.50, rented before) and B00002.
    struct Screen : FormHarness<frmProduct> {
        Screen() {
            QVERIFY(t.ok());
            QVERIFY(shoprows::product(t, "000005", "BIG FISH"));
            QVERIFY(shoprows::item(t, "B00001", "000005"));
            QVERIFY(shoprows::item(t, "B00002", "000005"));
            QVERIFY(t.exec("UPDATE Items SET UnitCost = 12345000, RentTimes = 1, "
                           "PurchaseDate = '2004-01-02' WHERE ItemID = 'B00001'"));
            QVERIFY(GetCategories(t.db(), ctx.CategoryList, true));
            QVERIFY(GetItemStatuses(t.db(), ctx.ItemStatusList, true));
        }
        QWidget* focus() const { return QApplication::focusWidget(); }
        void tabTo(QWidget* target) const {
            for (int step = 0; step < 20 && focus() != target; ++step)
                press(Qt::Key_Tab);
        }
        // Into a box as the clerk does after clicking it: the old text replaced.
        void typeInto(QWidget* target, const QString& text) const {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(target, text);
        }
        void click(const char* button) const {
            QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
        }
        // An order line on the copy, started 05/03/2004, with a charge for two.
        void rentOut(const QString& itemID) {
            QVERIFY(shoprows::order(t, "000001", "000001"));
            QVERIFY(shoprows::line(t, "000001", "000001", itemID, "0",
                                   QDateTime(QDate(2004, 3, 5), QTime(10, 0)), NoDate));
            QVERIFY(shoprows::charge(t, "000001", "000001", itemID, "0", 2, shoprows::money("3"),
                                     NoDate));
        }
    };

private Q_SLOTS:
    void newProductStartsWithItsFirstCopyInTheBoxes() {
        Screen s;
        QVERIFY(!s.open("123"));
        QCOMPARE(s.t.messages.texts(),
                 QStringList("123 is not a valid Item ID! It must contain a letter and numbers."));
        QVERIFY(s.open("N12"));
        QCOMPARE(s.box("txtItemID")->text(), QString("N00012"));
        QCOMPARE(s.box("txtPurchaseDate")->text(), QString("10/03/2004"));
        QCOMPARE(s.box("txtCategoryDesc")->text(), QString("VIDEO"));
        QVERIFY(!s.find<QPushButton>("cmdDelete")->isEnabled());
        QCOMPARE(s.focus(), s.box("txtProductName"));
    }

    void storedCopyOpensItsTitleWithFigures() {
        Screen s;
        s.rentOut("B00001");
        QVERIFY(s.open("B2"));
        auto* list = s.find<QListWidget>("lstItemID");
        QCOMPARE(list->count(), 2);
        QCOMPARE(s.box("txtItemID")->text(), QString("B00001"));
        QCOMPARE(s.box("txtUnitCost")->text(), QString("1,234.50"));
        QCOMPARE(s.box("txtRentTimes")->text(), QString("3"));
        QCOMPARE(s.box("txtLastRentDate")->text(), QString("05/03/2004"));
        QVERIFY(s.find<QPushButton>("cmdDelete")->isEnabled());

        const QRect second = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(s.box("txtItemID")->text(), QString("B00002"));
        QCOMPARE(s.box("txtRentTimes")->text(), QString("0"));
    }

    void titleWithThreeCopiesByKeyboard() {
        Screen s;
        QVERIFY(s.open("N1"));
        QTest::keyClicks(s.focus(), "big fish");
        s.tabTo(s.box("txtItemID"));
        s.press(Qt::Key_Tab);
        // Leaving the purchase date takes the first copy into the list.
        s.press(Qt::Key_Tab);
        auto* list = s.find<QListWidget>("lstItemID");
        QCOMPARE(list->count(), 1);
        QCOMPARE(s.focus(), s.box("txtUnitCost"));
        QTest::keyClicks(s.focus(), "12.5");
        s.press(Qt::Key_Tab);
        for (const char* id : {"n2", "n3"}) {
            s.typeInto(s.box("txtItemID"), id);
            s.press(Qt::Key_Tab);
            s.press(Qt::Key_Tab);
        }
        QCOMPARE(list->count(), 3);
        auto* status = s.find<QComboBox>("cboStatus");
        s.tabTo(status);
        s.press(Qt::Key_Down);
        s.press(Qt::Key_Down);
        QCOMPARE(status->currentText(), QString("Damaged"));
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts(), QStringList("Product (New) saved successfully"));
        QTRY_VERIFY(s.form.isNull());
        QCOMPARE(s.count("SELECT count(*) FROM Products WHERE ProductName = 'BIG FISH'"), 2);
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ProductID = '000001'"), 3);
        QCOMPARE(s.count("SELECT UnitCost FROM Items WHERE ItemID = 'N00001'"), 125000);
        QCOMPARE(s.count("SELECT Status FROM Items WHERE ItemID = 'N00003'"), 2);
    }

    void refusedBoxIsToldAtOnceAndStopsTheSave() {
        const QString message = QStringLiteral("Purchase Price error!");
        Screen s;
        QVERIFY(s.open("N1"));
        s.typeInto(s.box("txtUnitCost"), "abc");
        s.press(Qt::Key_Tab);
        QCOMPARE(s.t.messages.texts(), QStringList(message));
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts(), QStringList({message, message}));
        QVERIFY(!s.form.isNull());
        QCOMPARE(s.count("SELECT count(*) FROM Products"), 1);
        QCOMPARE(s.count("SELECT ProductID FROM SerialNo"), 1);
    }

    void removedCopyIsDeletedOnSave() {
        Screen s;
        s.rentOut("B00001");
        QVERIFY(s.open("B1"));
        auto* list = s.find<QListWidget>("lstItemID");
        s.click("cmdDeleteItem");
        list->setCurrentRow(0);
        s.click("cmdDeleteItem");
        QCOMPARE(
            s.t.messages.texts(),
            QStringList({"Select an Item ID first in (item) list!",
                         "B00001 The Item ID is referenced by order record(s), cannot delete!"}));
        list->setCurrentRow(1);
        s.click("cmdDeleteItem");
        QCOMPARE(list->count(), 1);
        QCOMPARE(s.box("txtItemID")->text(), QString("B00001"));
        s.click("cmdSave");
        QTRY_VERIFY(s.form.isNull());
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ProductID = '000005'"), 1);
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ItemID = 'B00002'"), 0);
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("rented");
        QTest::addColumn<int>("left");
        QTest::newRow("yes") << int(AnswerYes) << false << 0;
        QTest::newRow("no") << int(AnswerNo) << false << 1;
        QTest::newRow("a copy was rented") << int(AnswerYes) << true << 1;
    }
    void deleteAsksFirst() {
        QFETCH(int, answer);
        QFETCH(bool, rented);
        QFETCH(int, left);
        Screen s;
        if (rented)
            s.rentOut("B00002");
        QVERIFY(s.open("B1"));
        s.t.messages.answers = {answer};
        s.click("cmdDelete");
        QCOMPARE(s.t.messages.texts().first(),
                 QString("Deleted record cannot be restored!\rConfirm delete?"));
        // A refusal names the copy in use.
        QCOMPARE(s.t.messages.texts().last().contains("B00002"), rented);
        QCOMPARE(s.t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(s.count("SELECT count(*) FROM Products WHERE ProductID = '000005'"), left);
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ProductID = '000005'"), 2 * left);
        QTRY_COMPARE(s.form.isNull(), left == 0);
    }

    void escapeLeavesWithoutSaving() {
        Screen s;
        QVERIFY(s.open("B1"));
        QTest::keyClicks(s.focus(), " II");
        s.press(Qt::Key_Escape);
        QTRY_VERIFY(s.form.isNull());
        QVERIFY(s.t.messages.boxes.isEmpty());
        QCOMPARE(s.t.scalar("SELECT ProductName FROM Products WHERE ProductID = '000005'"),
                 QVariant("BIG FISH"));
    }

    void rateCodeIsRequired() {
        Screen s;
        QVERIFY(s.open("B1"));
        auto* code = s.find<QComboBox>("cboCategoryID");
        s.typeInto(code, "x");
        QCOMPARE(code->currentText(), QString("X"));
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts(), QStringList("Rate Code error!"));
        code->setFocus();
        code->clearEditText();
        s.press(Qt::Key_Tab);
        QCOMPARE(s.t.messages.texts().last(), QString("Please input Rate Code!"));
        QTRY_COMPARE(s.focus(), code);
        QVERIFY(s.box("txtCategoryDesc")->text().isEmpty());
    }
};

QTEST_MAIN(TestProductForm)
#include "tst_productform.moc"
