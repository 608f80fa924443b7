#include "FormHarness.h"
#include "frmSelectRecord.h"
#include "selectlayouts.h"

#include <QKeySequence>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

// The selection list: what it remembers between showings, the adjustments' layout, and the
// dialog driven at the keyboard and mouse.
class TestSelectRecord : public QObject {
    Q_OBJECT

private:
    // A caller window and the dialog over a context holding three member hits.
    struct Dialog : TestContext {
        Dialog() {
            for (const char* id : {"000003", "000001", "000002"}) {
                ctx.CustomerMatches.append(CustomerRec{});
                ctx.CustomerMatches.last().CustomerID = QString::fromLatin1(id);
            }
            caller.show();
        }
        QTableWidget* grid() const { return dialog.findChild<QTableWidget*>("msgSelectRecord"); }
        // Starts the list and, once it is up, hands it to `answer`; cancels what is left open.
        void start(const std::function<void()>& answer) {
            QTimer::singleShot(0, &dialog, [this, answer] {
                callerHiddenMeanwhile = !caller.isVisible();
                answer();
                if (dialog.isVisible())
                    dialog.reject();
            });
            dialog.Start(caller, SelectLayout::Customers);
        }
        void press(Qt::Key key) { QTest::keyClick(dialog.windowHandle(), key); }

        QWidget caller;
        frmSelectRecord dialog{ctx};
        bool callerHiddenMeanwhile = false;
    };

private Q_SLOTS:
    // The date and the amount as the clerk reads them, the amount to the right.
    void adjustmentRowsShowDateAndAmount() {
        AcctAdjustRec a;
        a.AdjustDate = QDate(2004, 3, 10);
        a.AdjustAmt = Money::fromWhole(-1250);
        const SelectTable table = AdjustmentSelectTable({a});
        QCOMPARE(table.rows[0].mid(2), (QStringList{"10/03/2004", "", "-1,250.00"}));
        QVERIFY(table.columns.last().alignRight);
    }

    // The rows are numbered in a column of their own that is never highlighted; the first
    // row comes up highlighted.
    void firstRowHighlightedAndNumbered() {
        Dialog d;
        QList<QTableWidgetItem*> selected;
        d.start([&] { selected = d.grid()->selectedItems(); });
        QVERIFY(d.callerHiddenMeanwhile);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(d.grid()->item(row, 0)->text(), QString::number(row + 1));
        QCOMPARE(selected.size(), 6);
        for (const QTableWidgetItem* item : selected)
            QVERIFY(item->row() == 0 && item->column() >= 1);
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
        d.start([&] {
            d.press(Qt::Key_Down);
            QTableWidget* grid = d.grid();
            const QPoint at = grid->visualItemRect(grid->item(1, 3)).center();
            if (auto* button = d.dialog.findChild<QPushButton*>(how)) {
                button->click();
            } else if (how == QLatin1String("title bar")) {
                d.dialog.close();
            } else if (how == QLatin1String("double click")) {
                // A double click follows a press on the same row.
                QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
            } else {
                d.press(QKeySequence(how)[0].key());
            }
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
        d.start([&] {
            d.press(Qt::Key_Down);
            d.press(Qt::Key_Down);
            d.press(Qt::Key_Return);
        });
        d.ctx.CustomerMatches.removeLast();
        QList<int> shown; // current row and row count of each showing
        const auto note = [&] { shown << d.grid()->currentRow() << d.grid()->rowCount(); };
        d.start(note);
        d.start(note);
        QCOMPARE(shown, (QList<int>{2, 3, 0, 2}));
    }
};

QTEST_MAIN(TestSelectRecord)
#include "tst_selectrecord.moc"
