#include "CounterScreen.h"
#include "RentGrids.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// The visit screen driven at the keyboard, as the clerk and the scanner drive it.
class TestFrmOpRent : public QObject {
    Q_OBJECT

    // Member 000123 has 000001 out since 1 March (due 4 March, six days late on the 10th);
    // 000200 has nothing out; 000300 is no longer a member.
    struct Counter : CounterScreen {
        Counter() {
            shop.addCounterShop();
            shop.addMember("000200");
            shop.addMember("000300", "N");
            shop.clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
            ok = shop.ok() && shop.visit("000123", {{"A", "000001", "01"}});
            shop.clock.set(QDateTime(QDate(2004, 3, 10), QTime(18, 40)));
        }
    };

    std::unique_ptr<Counter> c;

private Q_SLOTS:
    void init() {
        c = std::make_unique<Counter>();
        QVERIFY(c->ok);
    }
    void cleanup() { c.reset(); }

    void opens() {
        const QString member = QStringLiteral("000123");
        QVERIFY(c->open(member));
        QCOMPARE(c->text("txtCustomerID"), member);
        QCOMPARE(c->text("txtEnglishName"), QStringLiteral("MEMBER ") + member);
        QCOMPARE(c->text("txtOpCode"), QStringLiteral("R"));
        QCOMPARE(c->text("txtSumExistRent"), QString::number(1));
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QCOMPARE(c->focused(), QStringLiteral("txtOpItemID"));
        QCOMPARE(c->find<QLabel>("sbPanel2")->text(), QStringLiteral("10/03/2004 18:40"));
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
    }

    void refusedKey() {
        QVERIFY(!c->open("000300"));
        QCOMPARE(c->shop.t.messages.texts(), QStringList{"Customer membership not valid!"});
    }

    // A scan runs with the code already there; slow typing asks for the code.
    void scanRule_data() {
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("focus");
        QTest::newRow("scanned") << 100 << 1 << "txtOpItemID";
        QTest::newRow("typed slowly") << 300 << 0 << "txtOpCode";
    }
    void scanRule() {
        QFETCH(int, gapMs);
        QFETCH(int, rows);
        QFETCH(QString, focus);
        QVERIFY(c->open("000200"));
        c->type("000002", gapMs);
        c->press(Qt::Key_Return);
        QCOMPARE(c->rentGrid()->rowCount(), rows);
        QCOMPARE(c->text("txtOpItemID"), QStringLiteral("000002"));
        QCOMPARE(c->text("txtOpCode"), QStringLiteral("A"));
        QCOMPARE(c->focused(), focus);
    }

    void settleAllWhateverTheCode() {
        QVERIFY(c->open("000123"));
        c->type("s88", 2000);
        c->press(Qt::Key_Return);
        QCOMPARE(c->text("txtOpCode"), QStringLiteral("R"));
        QCOMPARE(c->rentGrid()->item(0, ColDue)->text(), QStringLiteral("10/03/2004"));
        QCOMPARE(c->text("txtSumSettleAllOSAmt"), QStringLiteral("30.00"));
        QCOMPARE(c->text("txtSumTotalAmt"), QStringLiteral("30.00"));
        // Once the cursor leaves the field, S88 is an ordinary item ID.
        c->type("s88");
        c->press(Qt::Key_Tab);
        QCOMPARE(c->text("txtOpItemID"), QStringLiteral("S00088"));
    }

    // Enter on the code field rents one unit; a longer rental is ended in the quantity field.
    void rentalQuantity_data() {
        QTest::addColumn<bool>("fromQuantity");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("due");
        QTest::newRow("code field") << false << QString("1") << QString("13/03/2004");
        QTest::newRow("quantity field") << true << QString("3") << QString("19/03/2004");
    }
    void rentalQuantity() {
        QFETCH(bool, fromQuantity);
        QFETCH(QString, units);
        QFETCH(QString, due);
        QVERIFY(c->open("000200"));
        c->type("2");
        if (fromQuantity) {
            c->press(Qt::Key_Tab);
            c->type("03");
        } else {
            c->press(Qt::Key_Return);
            c->find("txtOpQuantity")->setText("03");
        }
        c->press(Qt::Key_Return);
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QCOMPARE(c->rentGrid()->item(0, ColQty)->text(), units);
        QCOMPARE(c->rentGrid()->item(0, ColDue)->text(), due);
        QCOMPARE(c->text("txtOpQuantity"), QStringLiteral("01"));
        QCOMPARE(c->focused(), QStringLiteral("txtOpItemID"));
    }

    void refusedCommandShowsItsBox() {
        QVERIFY(c->open("000123"));
        c->command("2", "e");
        QCOMPARE(c->shop.t.messages.texts(), QStringList{"Operation Command error!"});
        QCOMPARE(c->shop.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QCOMPARE(c->text("txtSumTotalAmt"), QStringLiteral("0.00"));
    }

    // The overdue line untouched and then returned, and a rental of today beside it.
    void rowColours() {
        QVERIFY(c->open("000123"));
        c->command("3", "a");
        QTableWidget* grid = c->rentGrid();
        QCOMPARE(grid->rowCount(), 2);
        for (int column = ColItemID; column < RentColumnCount; ++column)
            QCOMPARE(grid->item(0, column)->foreground().color(), QColor(0xFF0000));
        QCOMPARE(grid->item(1, ColItemID)->foreground().style(), Qt::NoBrush);
        c->command("1", "r");
        for (int column = ColItemID; column < RentColumnCount; ++column)
            QCOMPARE(grid->item(0, column)->foreground().color(),
                     QPalette().color(QPalette::Disabled, QPalette::Text));
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
    }

    // Return, rental and sale typed at the keyboard, then F12: the rows the visit promises.
    void fullVisitAtTheKeyboard() {
        QVERIFY(c->open("000123"));
        c->type("000001");
        c->press(Qt::Key_Return);
        c->command("2", "a");
        c->command("s1", QString());
        c->type("07");
        c->press(Qt::Key_Return);
        QCOMPARE(c->find<QTableWidget>("msgReturnItems")->item(0, ColTitle)->text(),
                 QStringLiteral("ALIEN"));
        QCOMPARE(c->text("txtSumTotalAmt"), QStringLiteral("105.00"));
        c->press(Qt::Key_F12);
        QTRY_VERIFY(c->form.isNull());
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
        ShopFixture& s = c->shop;
        QCOMPARE(s.text("SELECT RentStatus FROM Order_Details WHERE ItemID = '000001'"), "1");
        QCOMPARE(s.count("SELECT count(*) FROM Order_Details WHERE ItemID = '000002' AND "
                         "OrderID = (SELECT OrderID FROM Order_Details WHERE ItemID = '000001')"),
                 1);
        QCOMPARE(s.count("SELECT count(*) FROM Order_Payment WHERE ItemID = '000001' AND "
                         "PayType = '1' AND Quantity = 6"),
                 1);
        QCOMPARE(s.text("SELECT Status FROM Items WHERE ItemID = '000001'"), "0");
        QCOMPARE(s.text("SELECT Status FROM Items WHERE ItemID = '000002'"), "1");
        QCOMPARE(s.count("SELECT count(*) FROM Sales WHERE RateID = 'S00001' AND Quantity = 7 "
                         "AND NetAmt = 600000 AND CustomerID = '000123'"),
                 1);
    }

    // A failed save keeps the screen and its lines; the retry writes everything once.
    void failedSaveStaysOpen() {
        QVERIFY(c->open("000200"));
        c->command("2", "a");
        QVERIFY(c->shop.t.exec("UPDATE SerialNo SET OrderID = NULL"));
        c->press(Qt::Key_F12);
        QCOMPARE(c->shop.t.messages.texts(),
                 QStringList({"debug: Error in getting serial no [OrderID]!",
                              "Save record error!\rRecord NOT save"}));
        QVERIFY(c->form && c->form->isVisible());
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QVERIFY(c->shop.t.exec("UPDATE SerialNo SET OrderID = 7"));
        c->find<QPushButton>("cmdSaveOrder")->click();
        QTRY_VERIFY(c->form.isNull());
        QCOMPARE(c->shop.count("SELECT count(*) FROM Order_Payment WHERE ItemID = '000002'"), 1);
    }

    void escapeDropsTheVisit() {
        QVERIFY(c->open("000200"));
        c->command("2", "a");
        c->press(Qt::Key_Escape);
        QTRY_VERIFY(c->form.isNull());
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
        QCOMPARE(c->shop.count("SELECT count(*) FROM Order_Details WHERE ItemID = '000002'"), 0);
    }

    void widthsSurviveReopening() {
        QVERIFY(c->open("000200"));
        c->rentGrid()->setColumnWidth(ColTitle, 200);
        c->find<QTableWidget>("msgReturnItems")->setColumnWidth(ColItemID, 150);
        c->find<QPushButton>("cmdCancel")->click();
        QTRY_VERIFY(c->form.isNull());
        QCOMPARE(c->store.settings.value("msgRentItems/Title").toString(), QStringLiteral("3000"));
        QVERIFY(c->open("000123"));
        QCOMPARE(c->rentGrid()->columnWidth(ColTitle), 200);
        QCOMPARE(c->find<QTableWidget>("msgReturnItems")->columnWidth(ColItemID), 150);
    }

    void pageKeys() {
        QList<QStringList> rentals;
        for (int i = 101; i <= 130; ++i) {
            const QString id = QStringLiteral("000%1").arg(i);
            c->shop.addItem(id, QStringLiteral("TITLE ") + id, "V");
            rentals.append({"A", id, "01"});
        }
        QVERIFY(c->shop.visit("000200", rentals));
        QVERIFY(c->open("000200"));
        QTableWidget* grid = c->rentGrid();
        QCOMPARE(TopRow(*grid), 1);
        SetTopRow(*grid, 3);
        QCOMPARE(TopRow(*grid), 3);
        c->press(Qt::Key_PageUp);
        QCOMPARE(TopRow(*grid), 1);
        c->press(Qt::Key_PageDown);
        QCOMPARE(TopRow(*grid), 6);
        // With Ctrl the keys go to the returned list, which has nothing to scroll.
        c->press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(TopRow(*grid), 6);
        QCOMPARE(c->focused(), QStringLiteral("txtOpItemID"));
        // A line a command changes out of sight is scrolled up to the top.
        c->command("130", "r");
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(29, 1))));
    }
};

QTEST_MAIN(TestFrmOpRent)
#include "tst_frmoprent.moc"
