#include "AppContext.h"
#include "SelectionState.h"
#include "TestClock.h"
#include "TestDb.h"
#include "TestSettings.h"
#include "formutil.h"
#include "frmSelectRecord.h"
#include "selectlayouts.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>

// The selection list: what it remembers between showings, its three layouts, and the dialog
// driven at the keyboard and mouse.
class TestSelectRecord : public QObject {
    Q_OBJECT

private:
    static CustomerRec member(const QString& id, const QString& name) {
        CustomerRec c;
        c.CustomerID = id;
        c.HKID = QStringLiteral("A123456(7)");
        c.EnglishName = name;
        c.ChineseName = QStringLiteral("陳大文");
        c.Sex = QStringLiteral("M");
        c.Remarks1 = QStringLiteral("PAYS LATE");
        return c;
    }
    static ItemRec copy(const QString& id, const QString& title, const QString& status) {
        ItemRec item;
        item.ItemID = id;
        item.CategoryID = QStringLiteral("V");
        item.ProductName = title;
        item.Status = status;
        return item;
    }

    // A caller window and the dialog over a context holding three member hits.
    struct Dialog {
        Dialog() {
            ctx.CustomerMatches = {member(QStringLiteral("000003"), QStringLiteral("CHAN A")),
                                   member(QStringLiteral("000001"), QStringLiteral("CHAN B")),
                                   member(QStringLiteral("000002"), QStringLiteral("CHAN C"))};
            caller.show();
        }
        QTableWidget* grid() const {
            return dialog.findChild<QTableWidget*>(QStringLiteral("msgSelectRecord"));
        }
        // Starts the list and, once it is up, hands it to `answer`, which must close it.
        void start(SelectLayout layout, const std::function<void()>& answer) {
            QTimer::singleShot(0, &dialog, [this, answer] {
                callerHiddenMeanwhile = !caller.isVisible();
                answer();
                if (dialog.isVisible())
                    dialog.reject();
            });
            dialog.Start(caller, layout);
        }
        void press(Qt::Key key) { QTest::keyClick(dialog.windowHandle(), key); }

        TestDb t;
        TestClock clock;
        TestSettings store;
        AppContext ctx{t.db(), t.messages, clock, store.settings};
        QWidget caller;
        frmSelectRecord dialog{ctx};
        bool callerHiddenMeanwhile = false;
    };

private Q_SLOTS:
    void stateRemembersThePick() {
        SelectionState s;
        QVERIFY(!s.ListPending());
        QVERIFY(s.startShowing());
        QCOMPARE(s.currentRow(), 0);
        s.choose(2);
        QCOMPARE(s.SelectedIndex(), 2);
        QVERIFY(s.ListPending());
        QVERIFY(!s.startShowing());
        QCOMPARE(s.currentRow(), 2);
        s.cancel();
        QCOMPARE(s.SelectedIndex(), -1);
        QVERIFY(!s.ListPending());
        QVERIFY(s.startShowing());
        QCOMPARE(s.currentRow(), 0);
    }

    void layouts_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("twips");
        QTest::newRow("customers")
            << int(SelectLayout::Customers)
            << QStringList{"#", "Cust. ID", "I.D. Num", "Name (E)", "Name (L)", "Sex", "Remarks 1"}
            << QList<int>{700, 1200, 2000, 3000, 1400, 600, 5000};
        QTest::newRow("items") << int(SelectLayout::Items)
                               << QStringList{"#", "ItemID", "Rate Code", "Title", "Status"}
                               << QList<int>{700, 1200, 600, 7000, 1500};
        QTest::newRow("adjustments") << int(SelectLayout::Adjustments)
                                     << QStringList{"#", "Adj. ID", "Date", "Description", "Amount"}
                                     << QList<int>{700, 1200, 1500, 5000, 1600};
    }
    void layouts() {
        QFETCH(int, layout);
        QFETCH(QStringList, headings);
        QFETCH(QList<int>, twips);
        Dialog d;
        d.ctx.ItemMatches = {copy(QStringLiteral("000010"), QStringLiteral("ALIEN"), "IN")};
        d.ctx.AdjustMatches = {AcctAdjustRec{}};
        d.start(SelectLayout(layout), [] {});
        QTableWidget* grid = d.grid();
        QCOMPARE(grid->columnCount(), headings.size());
        for (int column = 0; column < headings.size(); ++column) {
            QCOMPARE(grid->horizontalHeaderItem(column)->text(), headings[column]);
            QCOMPARE(grid->columnWidth(column), twipsToPixels(twips[column]));
        }
    }

    void customerRows() {
        const SelectTable table = CustomerSelectTable({member(QStringLiteral("000003"), "CHAN")});
        QCOMPARE(table.rows, (QList<QStringList>{{"1", "000003", "A123456(7)", "CHAN",
                                                  QStringLiteral("陳大文"), "M", "PAYS LATE"}}));
    }

    void itemRowsCarryTheStatusName() {
        const SelectTable table =
            ItemSelectTable({copy(QStringLiteral("000010"), QStringLiteral("ALIEN"), "Rented"),
                             copy(QStringLiteral("000011"), QStringLiteral("ALIEN"), "Sold")});
        QCOMPARE(table.rows, (QList<QStringList>{{"1", "000010", "V", "ALIEN", "Rented"},
                                                 {"2", "000011", "V", "ALIEN", "Sold"}}));
    }

    void adjustmentRowsShowDateAndAmount() {
        AcctAdjustRec a;
        a.AdjustID = QStringLiteral("000004");
        a.AdjustDate = QDate(2004, 3, 10);
        a.Description = QStringLiteral("REFUND");
        a.AdjustAmt = Money::fromWhole(-1250);
        const SelectTable table = AdjustmentSelectTable({a});
        QCOMPARE(table.rows,
                 (QList<QStringList>{{"1", "000004", "10/03/2004", "REFUND", "-1,250.00"}}));
        QVERIFY(table.columns.last().alignRight);
    }

    void firstRowHighlightedAndNumbered() {
        Dialog d;
        QList<QTableWidgetItem*> selected;
        d.start(SelectLayout::Customers, [&] { selected = d.grid()->selectedItems(); });
        QVERIFY(d.callerHiddenMeanwhile);
        QCOMPARE(d.dialog.windowTitle(), QStringLiteral("Record Selection"));
        QTableWidget* grid = d.grid();
        QCOMPARE(grid->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(grid->item(row, 0)->text(), QString::number(row + 1));
        QCOMPARE(selected.size(), 6);
        for (const QTableWidgetItem* item : selected) {
            QCOMPARE(item->row(), 0);
            QVERIFY(item->column() >= 1);
        }
        QCOMPARE(d.dialog.findChild<QPushButton*>(QStringLiteral("cmdSave"))->text(),
                 QStringLiteral("OK (F12)"));
        QCOMPARE(d.dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->text(),
                 QStringLiteral("Cancel (Esc)"));
    }

    // Every way of saying OK picks the current row and keeps the caller out of sight for the
    // screen that opens next; every way of cancelling (the title bar too) brings it back.
    void okAndCancel_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("index");
        for (const char* ok : {"F12", "Return", "Enter", "cmdSave", "double click"})
            QTest::newRow(ok) << ok << 1;
        for (const char* cancel : {"Esc", "cmdCancel", "title bar"})
            QTest::newRow(cancel) << cancel << -1;
    }
    void okAndCancel() {
        QFETCH(QString, how);
        QFETCH(int, index);
        Dialog d;
        d.start(SelectLayout::Customers, [&] {
            d.press(Qt::Key_Down);
            const std::map<QString, std::function<void()>> ways = {
                {"F12", [&] { d.press(Qt::Key_F12); }},
                {"Return", [&] { d.press(Qt::Key_Return); }},
                {"Enter", [&] { d.press(Qt::Key_Enter); }},
                {"Esc", [&] { d.press(Qt::Key_Escape); }},
                {"cmdSave", [&] { d.dialog.findChild<QPushButton*>("cmdSave")->click(); }},
                {"cmdCancel", [&] { d.dialog.findChild<QPushButton*>("cmdCancel")->click(); }},
                {"title bar", [&] { d.dialog.close(); }},
                {"double click", [&] {
                     QTableWidget* grid = d.grid();
                     const QPoint at = grid->visualItemRect(grid->item(1, 3)).center();
                     // A double click follows a press on the same row.
                     QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
                     QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
                 }}};
            ways.at(how)();
            QVERIFY(!d.dialog.isVisible());
        });
        QCOMPARE(d.dialog.SelectedIndex(), index);
        QCOMPARE(d.dialog.ListPending(), index >= 0);
        QCOMPARE(d.caller.isVisible(), index < 0);
    }

    // Shown again, the list keeps its rows even if the hits changed meanwhile, with the last
    // chosen row current; after a cancel the next list is filled afresh.
    void pendingListComesBackUnchanged() {
        Dialog d;
        d.start(SelectLayout::Customers, [&] {
            d.press(Qt::Key_Down);
            d.press(Qt::Key_Down);
            d.press(Qt::Key_Return);
        });
        QCOMPARE(d.dialog.SelectedIndex(), 2);
        d.ctx.CustomerMatches.removeLast();
        int current = -1;
        int rows = 0;
        d.start(SelectLayout::Customers, [&] {
            current = d.grid()->currentRow();
            rows = d.grid()->rowCount();
            d.press(Qt::Key_Escape);
        });
        QCOMPARE(current, 2);
        QCOMPARE(rows, 3);
        d.start(SelectLayout::Customers, [&] {
            current = d.grid()->currentRow();
            rows = d.grid()->rowCount();
        });
        QCOMPARE(current, 0);
        QCOMPARE(rows, 2);
    }
};

QTEST_MAIN(TestSelectRecord)
#include "tst_selectrecord.moc"
