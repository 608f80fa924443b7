#include "FormHarness.h"
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
    // A caller window and the dialog over a context holding three member hits.
    struct Dialog : TestContext {
        Dialog() {
            ctx.CustomerMatches = {member("000003", "CHAN A"), member("000001", "CHAN B"),
                                   member("000002", "CHAN C")};
            caller.show();
        }
        QTableWidget* grid() const { return dialog.findChild<QTableWidget*>("msgSelectRecord"); }
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

        QWidget caller;
        frmSelectRecord dialog{ctx};
        bool callerHiddenMeanwhile = false;
    };

private Q_SLOTS:
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
        QTableWidget* grid = d.grid();
        QCOMPARE(grid->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(grid->item(row, 0)->text(), QString::number(row + 1));
        QCOMPARE(selected.size(), 6);
        for (const QTableWidgetItem* item : selected) {
            QCOMPARE(item->row(), 0);
            QVERIFY(item->column() >= 1);
        }
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
