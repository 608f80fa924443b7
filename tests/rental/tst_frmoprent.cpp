#include "RentGrids.h"
#include "ReportPreview.h"
#include "ShopFixture.h"
#include "TextRows.h"
#include "frmOpRent.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

// The visit screen driven at the keyboard, as the clerk and the scanner drive it: which field
// takes the cursor, what it hands the visit, which boxes it shows and when it closes.
class TestFrmOpRent : public QObject {
    Q_OBJECT

    // The screen over a counter shop. Member 000123 has 000001 out since 1 March (due 4 March,
    // 30.00 late on the 10th); 000200 has nothing out; 000300 is no longer a member.
    struct Counter : FormHarness<frmOpRent, ShopFixture> {
        Counter() {
            addCounterShop();
            addMember("000200");
            addMember("000300", "N");
            clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
            ready = ok() && visit("000123", "A 000001");
            clock.set(QDateTime(QDate(2004, 3, 10), QTime(18, 40)));
        }

        // The texts of the named fields and labels, "|" apart.
        QString texts(const QString& names) const {
            QStringList all;
            for (const QString& name : names.split(QLatin1Char(' ')))
                all << find<QWidget>(name)->property("text").toString();
            return all.join(QLatin1Char('|'));
        }
        QTableWidget* grid(const char* name = "msgRentItems") const {
            return find<QTableWidget>(name);
        }
        QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
        QString focused() const { return QApplication::focusWidget()->objectName(); }
        // Typed keys, each `gapMs` after the one before; "\r" is Enter and "\t" is Tab.
        void keys(const QString& keys, int gapMs = 0) {
            for (QChar c : keys) {
                QTest::keyClick(form->windowHandle(), c.toLatin1());
                clock.advanceMs(gapMs);
            }
        }
        // A typed command: the item, Enter, the code over the offered one, Enter.
        void command(const QString& item, const QString& code) {
            keys(item + "\r", 2000);
            keys(code + "\r");
        }
        bool ready = false;
    };

    std::unique_ptr<Counter> c;

private Q_SLOTS:
    void init() {
        c = std::make_unique<Counter>();
        QVERIFY(c->ready);
    }
    void cleanup() { c.reset(); }

    void refusedKeyShowsTheVisitsBox() {
        QVERIFY(!c->open("000300"));
        QCOMPARE(c->t.messages.texts(), QStringList{"Customer membership not valid!"});
    }

    // A return scanned, rentals and a sale typed, a refused command, then F12.
    void visitAtTheKeyboard() {
        QVERIFY(c->open("000123"));
        QCOMPARE(c->texts("txtCustomerID txtEnglishName txtOpCode txtSumExistRent sbPanel2") +
                     c->focused(),
                 "000123|MEMBER 000123|R|1|10/03/2004 18:40txtOpItemID");
        // Scanned: runs with the code already there.
        c->keys("000001\r");
        QCOMPARE(QString::number(c->grid("msgReturnItems")->rowCount()) + c->focused(),
                 "1txtOpItemID");
        // Typed: the ID is tidied and the code asked for; Enter there rents one unit.
        c->keys("2\r", 2000);
        QCOMPARE(c->texts("txtOpItemID") + c->focused(), "000002txtOpCode");
        c->find("txtOpQuantity")->setText("03");
        c->keys("a\r");
        QCOMPARE(c->cell(1, ColQty) + c->texts("txtOpQuantity"), "101");
        // Ended in the quantity field, a rental runs for the units typed there.
        c->keys("3\t", 2000);
        c->keys("03\r");
        QCOMPARE(c->cell(2, ColQty) + c->focused(), "3txtOpItemID");
        // A sale asks for the pieces.
        c->command("s1", QString());
        QCOMPARE(c->texts("txtOpCode") + c->focused(), "StxtOpQuantity");
        c->keys("07\r");
        QCOMPARE(c->cell(3, ColQty), "7");
        c->command("2", "e");
        QCOMPARE(c->t.messages.texts(), QStringList{"Operation Command error!"});
        // Once the cursor leaves the field, S88 is an ordinary item ID.
        c->keys("s88\t");
        QCOMPARE(c->texts("txtOpItemID"), "S00088");
        c->press(Qt::Key_F12);
        QTRY_VERIFY(c->form.isNull());
        QCOMPARE(c->t.messages.boxes.size(), 1);
        QCOMPARE(c->rows("Order_Details", "ItemID RentStatus"), "000001 1; 000002 0; 000003 0");
    }

    // A failed save keeps the screen and its lines, to be saved again.
    void failedSaveStaysOpen() {
        QVERIFY(c->open("000200"));
        c->command("2", "a");
        QVERIFY(c->t.exec("UPDATE SerialNo SET OrderID = NULL"));
        c->press(Qt::Key_F12);
        QCOMPARE(c->t.messages.texts().last(), "Save record error!\rRecord NOT save");
        QVERIFY(c->form && c->form->isVisible());
        QCOMPARE(c->grid()->rowCount(), 1);
        QVERIFY(c->t.exec("UPDATE SerialNo SET OrderID = 7"));
        c->find<QPushButton>("cmdSaveOrder")->click();
        QTRY_VERIFY(c->form.isNull());
    }

    void widthsSurviveReopening() {
        QVERIFY(c->open("000200"));
        c->grid()->setColumnWidth(ColTitle, 200);
        c->grid("msgReturnItems")->setColumnWidth(ColItemID, 150);
        c->find<QPushButton>("cmdCancel")->click();
        QTRY_VERIFY(c->form.isNull());
        QVERIFY(c->open("000123"));
        QCOMPARE(c->grid()->columnWidth(ColTitle), 200);
        QCOMPARE(c->grid("msgReturnItems")->columnWidth(ColItemID), 150);
    }

    // Page Up and Down page the rental list, with Ctrl the returned one; a line a command
    // changes out of sight is scrolled up to the top.
    void pageKeys() {
        QStringList rentals;
        for (int i = 101; i <= 130; ++i) {
            c->addItem(QStringLiteral("000%1").arg(i), "TITLE", "V");
            rentals << QStringLiteral("A 000%1").arg(i);
        }
        QVERIFY(c->visit("000200", rentals.join(", ")) && c->open("000200"));
        QTableWidget* grid = c->grid();
        SetTopRow(*grid, 3);
        c->press(Qt::Key_PageUp);
        QCOMPARE(TopRow(*grid), 1);
        c->press(Qt::Key_PageDown);
        QCOMPARE(TopRow(*grid), 6);
        c->press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(TopRow(*grid), 6);
        QCOMPARE(c->focused(), QStringLiteral("txtOpItemID"));
        c->command("130", "r");
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(29, 1))));
    }

    // F8 and the Print button preview the visit so far; nothing is saved and the visit goes on
    // until Escape drops it.
    void receiptOnDemand_data() { rows({{"F8", "key"}, {"Print button", "button"}}); }
    void receiptOnDemand() {
        QVERIFY(c->open("000200"));
        c->command("2", "a");
        if (rowValues()[0] == "button")
            c->find<QPushButton>("cmdPrintRecipt")->click();
        else
            c->press(Qt::Key_F8);
        const auto previews = c->form->findChildren<ReportPreview*>();
        QVERIFY(previews.size() == 1 && previews[0]->isVisible() && c->form->isVisible());
        c->press(Qt::Key_Escape);
        QTRY_VERIFY(c->form.isNull());
        QVERIFY(c->t.messages.boxes.isEmpty());
        QCOMPARE(c->count("SELECT count(*) FROM Order_Details"), 1);
    }

    // Shops that switch it on are offered a receipt after each save.
    void receiptAfterSave_data() {
        rows({{"not switched on", "off"}, {"yes", "yes"}, {"no", "no"}});
    }
    void receiptAfterSave() {
        const QString answer = rowValues()[0];
        const bool offered = answer != "off";
        c->store.settings.setValue("Receipt/PrintAfterSave", offered);
        c->t.messages.answers = {answer == "yes" ? AnswerYes : AnswerNo};
        QVERIFY(c->open("000200"));
        c->command("2", "a");
        QString shown;
        // The preview waits for the clerk; look at it, then close it as the clerk would.
        QTimer::singleShot(0, this, [&shown] {
            if (auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget())) {
                shown = preview->windowTitle();
                preview->reject();
            }
        });
        c->press(Qt::Key_F12);
        QCOMPARE(c->t.messages.texts(),
                 offered ? QStringList{"Print a receipt of this visit?"} : QStringList());
        if (offered)
            QCOMPARE(c->t.messages.boxes.first().buttons, MsgButtons::YesNo);
        QCOMPARE(shown, answer == "yes" ? QStringLiteral("Receipt 000200") : QString());
        QTRY_VERIFY(c->form.isNull());
    }
};

QTEST_MAIN(TestFrmOpRent)
#include "tst_frmoprent.moc"
