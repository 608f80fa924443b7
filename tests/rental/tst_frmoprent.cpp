#include "CounterScreen.h"
#include "RentGrids.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// The visit screen driven at the keyboard, as the clerk and the scanner drive it.
class TestFrmOpRent : public QObject {
    Q_OBJECT

    // Member 000123 has 000001 out since 1 March (due 4 March, six days late on the 10th);
    // 000200 has nothing out; 000300 is no longer a member; 000400 has V00001 out, not late.
    struct Counter : CounterScreen {
        Counter() {
            shop.addCategory(QStringLiteral("V"), QStringLiteral("15"), 3, QStringLiteral("5"));
            shop.addCategory(QStringLiteral("S"), QStringLiteral("0"), 0, QStringLiteral("0"),
                             QStringLiteral("10"), 3, QStringLiteral("25"));
            const QStringList titles = {"ALIEN", "BRAZIL", "CASABLANCA"};
            for (int i = 0; i < titles.size(); ++i)
                shop.addItem(QStringLiteral("00000%1").arg(i + 1), titles[i], QStringLiteral("V"));
            shop.addItem(QStringLiteral("S00001"), QStringLiteral("POPCORN"), QStringLiteral("S"),
                         QStringLiteral("4"));
            shop.addMember(QStringLiteral("000123"));
            shop.addMember(QStringLiteral("000200"));
            shop.addMember(QStringLiteral("000300"), QStringLiteral("N"));
            shop.addMember(QStringLiteral("000400"));
            shop.addItem(QStringLiteral("V00001"), QStringLiteral("DUNE"), QStringLiteral("V"));
            shop.clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
            ok = shop.ok() && shop.visit(QStringLiteral("000123"), {{"A", "000001", "01"}});
            shop.clock.set(QDateTime(QDate(2004, 3, 10), QTime(18, 40)));
            ok = ok && shop.visit(QStringLiteral("000400"), {{"A", "V00001", "01"}});
        }

        // Opens the screen as the main window does: shown only when Start took the key.
        bool open(const QString& key) {
            form = new frmOpRent(ctx);
            if (!form->Start(key)) {
                delete form;
                return false;
            }
            form->show();
            form->activateWindow();
            return QTest::qWaitForWindowActive(form);
        }
        template <typename T = QLineEdit> T* find(const QString& name) const {
            return form->findChild<T*>(name);
        }
        QString text(const QString& name) const { return find(name)->text(); }
        QTableWidget* rentGrid() const {
            return find<QTableWidget>(QStringLiteral("msgRentItems"));
        }
        QString focused() const { return QApplication::focusWidget()->objectName(); }

        // Keys as the window system delivers them, each `gapMs` after the one before.
        void type(const QString& keys, int gapMs = 0) {
            for (QChar c : keys) {
                QTest::keyClick(form->windowHandle(), c.toLatin1());
                shop.clock.advanceMs(gapMs);
            }
        }
        // A typed command: the item, Enter, the code over the offered one, Enter.
        void command(const QString& item, const QString& code) {
            type(item, 2000);
            press(Qt::Key_Return);
            type(code);
            press(Qt::Key_Return);
        }
    };

    std::unique_ptr<Counter> c;

private Q_SLOTS:
    void init() {
        c = std::make_unique<Counter>();
        QVERIFY(c->ok);
    }
    void cleanup() { c.reset(); }

    void opens_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("rows");
        QTest::newRow("member without an order") << "000200"
                                                 << "000200"
                                                 << "A" << 0;
        QTest::newRow("member with an open order") << "000123"
                                                   << "000123"
                                                   << "R" << 1;
    }
    void opens() {
        QFETCH(QString, key);
        QFETCH(QString, member);
        QFETCH(QString, code);
        QFETCH(int, rows);
        QVERIFY(c->open(key));
        QCOMPARE(c->form->windowTitle(), QStringLiteral("Transaction Operation"));
        QCOMPARE(c->text("txtCustomerID"), member);
        QCOMPARE(c->text("txtEnglishName"), QStringLiteral("MEMBER ") + member);
        QCOMPARE(c->text("txtOpCode"), code);
        QCOMPARE(c->text("txtOpQuantity"), QStringLiteral("01"));
        QCOMPARE(c->text("txtSumExistRent"), QString::number(rows));
        QCOMPARE(c->rentGrid()->rowCount(), rows);
        QCOMPARE(c->focused(), QStringLiteral("txtOpItemID"));
        QCOMPARE(c->find<QLabel>("sbPanel2")->text(), QStringLiteral("10/03/2004 18:40"));
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
    }

    void refusedKeys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("former member") << "000300" << QStringList{"Customer membership not valid!"};
        QTest::newRow("item on the shelf") << "000002" << QStringList{};
    }
    void refusedKeys() {
        QFETCH(QString, key);
        QFETCH(QStringList, boxes);
        QVERIFY(!c->open(key));
        QCOMPARE(c->shop.t.messages.texts(), boxes);
    }

    // A scan runs with the code already there; slow typing is tidied and asks for the code.
    void scanRule_data() {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("focus");
        QTest::newRow("scanned") << "000200"
                                 << "000002" << 100 << 1 << "000002"
                                 << "A"
                                 << "txtOpItemID";
        QTest::newRow("typed slowly") << "000200"
                                      << "000002" << 300 << 0 << "000002"
                                      << "A"
                                      << "txtOpCode";
        QTest::newRow("sale code") << "000123"
                                   << "s1" << 0 << 1 << "S00001"
                                   << "S"
                                   << "txtOpCode";
        QTest::newRow("item on an open order") << "000123"
                                               << "12" << 0 << 1 << "000012"
                                               << "R"
                                               << "txtOpCode";
    }
    void scanRule() {
        QFETCH(QString, member);
        QFETCH(QString, typed);
        QFETCH(int, gapMs);
        QFETCH(int, rows);
        QFETCH(QString, item);
        QFETCH(QString, code);
        QFETCH(QString, focus);
        QVERIFY(c->open(member));
        c->type(typed, gapMs);
        c->press(Qt::Key_Return);
        QCOMPARE(c->rentGrid()->rowCount(), rows);
        QCOMPARE(c->text("txtOpItemID"), item);
        QCOMPARE(c->text("txtOpCode"), code);
        QCOMPARE(c->focused(), focus);
    }

    void settleAllWhateverTheCode() {
        QVERIFY(c->open(QStringLiteral("000123")));
        c->type(QStringLiteral("s88"), 2000);
        c->press(Qt::Key_Return);
        QCOMPARE(c->text("txtOpCode"), QStringLiteral("R"));
        QCOMPARE(c->rentGrid()->item(0, ColDue)->text(), QStringLiteral("10/03/2004"));
        QCOMPARE(c->text("txtSumSettleAllOSAmt"), QStringLiteral("30.00"));
        QCOMPARE(c->text("txtSumTotalAmt"), QStringLiteral("30.00"));
        // Once the cursor leaves the field, S88 is an ordinary item ID.
        c->type(QStringLiteral("s88"));
        c->press(Qt::Key_Tab);
        QCOMPARE(c->text("txtOpItemID"), QStringLiteral("S00088"));
    }

    // Enter on the code field rents one unit; a longer rental is ended in the quantity field.
    void rentalQuantity_data() {
        QTest::addColumn<bool>("fromQuantity");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("due");
        QTest::newRow("code field") << false << "1"
                                    << "13/03/2004";
        QTest::newRow("quantity field") << true << "3"
                                        << "19/03/2004";
    }
    void rentalQuantity() {
        QFETCH(bool, fromQuantity);
        QFETCH(QString, units);
        QFETCH(QString, due);
        QVERIFY(c->open(QStringLiteral("000200")));
        c->type(QStringLiteral("2"));
        if (fromQuantity) {
            c->press(Qt::Key_Tab);
            c->type(QStringLiteral("03"));
        } else {
            c->press(Qt::Key_Return);
            c->find("txtOpQuantity")->setText(QStringLiteral("03"));
        }
        c->press(Qt::Key_Return);
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QCOMPARE(c->rentGrid()->item(0, ColQty)->text(), units);
        QCOMPARE(c->rentGrid()->item(0, ColDue)->text(), due);
        QCOMPARE(c->text("txtOpQuantity"), QStringLiteral("01"));
        QCOMPARE(c->focused(), QStringLiteral("txtOpItemID"));
    }

    void refusedCommandShowsItsBox_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("box");
        QTest::newRow("edit code") << "2"
                                   << "e"
                                   << "Operation Command error!";
    }
    void refusedCommandShowsItsBox() {
        QFETCH(QString, item);
        QFETCH(QString, code);
        QFETCH(QString, box);
        QVERIFY(c->open(QStringLiteral("000123")));
        c->command(item, code);
        QCOMPARE(c->shop.t.messages.texts(), QStringList{box});
        QCOMPARE(c->shop.t.messages.boxes.first().icon, MsgIcon::Exclamation);
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QCOMPARE(c->text("txtSumTotalAmt"), QStringLiteral("0.00"));
    }

    // The overdue line as each command leaves it, and a rental of today beside it.
    void rowColours_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("overdue, untouched") << "" << QColor(0xFF0000);
        QTest::newRow("returned") << "r" << QPalette().color(QPalette::Disabled, QPalette::Text);
    }
    void rowColours() {
        QFETCH(QString, code);
        QFETCH(QColor, colour);
        QVERIFY(c->open(QStringLiteral("000123")));
        if (code == QLatin1String("S88")) {
            c->type(code);
            c->press(Qt::Key_Return);
        } else if (!code.isEmpty()) {
            c->command(QStringLiteral("1"), code);
        }
        c->command(QStringLiteral("3"), QStringLiteral("a"));
        QTableWidget* grid = c->rentGrid();
        QCOMPARE(grid->rowCount(), 2);
        for (int column = ColItemID; column < RentColumnCount; ++column)
            QCOMPARE(grid->item(0, column)->foreground().color(), colour);
        QCOMPARE(grid->item(1, ColItemID)->foreground().style(), Qt::NoBrush);
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
    }

    // A failed save keeps the screen and its lines; the retry writes everything once.
    // Return, rental and sale typed at the keyboard, then F12: the rows the visit promises.
    void fullVisitAtTheKeyboard() {
        QVERIFY(c->open(QStringLiteral("000123")));
        c->type(QStringLiteral("000001"));
        c->press(Qt::Key_Return);
        c->command(QStringLiteral("2"), QStringLiteral("a"));
        c->command(QStringLiteral("s1"), QString());
        c->type(QStringLiteral("07"));
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

    void failedSaveStaysOpen() {
        QVERIFY(c->open(QStringLiteral("000200")));
        c->command(QStringLiteral("2"), QStringLiteral("a"));
        QVERIFY(c->shop.t.exec(QStringLiteral("UPDATE SerialNo SET OrderID = NULL")));
        c->press(Qt::Key_F12);
        QCOMPARE(c->shop.t.messages.texts(),
                 QStringList({"debug: Error in getting serial no [OrderID]!",
                              "Save record error!\rRecord NOT save"}));
        QVERIFY(c->form && c->form->isVisible());
        QCOMPARE(c->rentGrid()->rowCount(), 1);
        QVERIFY(c->shop.t.exec(QStringLiteral("UPDATE SerialNo SET OrderID = 7")));
        c->find<QPushButton>("cmdSaveOrder")->click();
        QTRY_VERIFY(c->form.isNull());
        QCOMPARE(c->shop.count("SELECT count(*) FROM Order_Payment WHERE ItemID = '000002'"), 1);
    }

    void escapeDropsTheVisit() {
        QVERIFY(c->open(QStringLiteral("000200")));
        c->command(QStringLiteral("2"), QStringLiteral("a"));
        c->press(Qt::Key_Escape);
        QTRY_VERIFY(c->form.isNull());
        QVERIFY(c->shop.t.messages.boxes.isEmpty());
        QCOMPARE(c->shop.count("SELECT count(*) FROM Order_Details WHERE ItemID = '000002'"), 0);
    }

    void widthsSurviveReopening() {
        QVERIFY(c->open(QStringLiteral("000200")));
        c->rentGrid()->setColumnWidth(ColTitle, 200);
        c->find<QTableWidget>("msgReturnItems")->setColumnWidth(ColItemID, 150);
        c->find<QPushButton>("cmdCancel")->click();
        QTRY_VERIFY(c->form.isNull());
        QCOMPARE(c->store.settings.value("msgRentItems/Title").toString(), QStringLiteral("3000"));
        QVERIFY(c->open(QStringLiteral("000123")));
        QCOMPARE(c->rentGrid()->columnWidth(ColTitle), 200);
        QCOMPARE(c->find<QTableWidget>("msgReturnItems")->columnWidth(ColItemID), 150);
        QCOMPARE(c->rentGrid()->columnWidth(ColBegin), 70);
    }

    void pageKeys() {
        QList<QStringList> rentals;
        for (int i = 101; i <= 130; ++i) {
            const QString id = QStringLiteral("000%1").arg(i);
            c->shop.addItem(id, QStringLiteral("TITLE ") + id, QStringLiteral("V"));
            rentals.append({"A", id, "01"});
        }
        QVERIFY(c->shop.visit(QStringLiteral("000200"), rentals));
        QVERIFY(c->open(QStringLiteral("000200")));
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
        c->command(QStringLiteral("130"), QStringLiteral("r"));
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(29, 1))));
    }
};

QTEST_MAIN(TestFrmOpRent)
#include "tst_frmoprent.moc"
