#include "FormHarness.h"
#include "frmSelectRecord.h"
#include "selectlayouts.h"

#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

// The selection list's own parts: its rows, and what it remembers between showings. The ways
// of choosing and cancelling are driven through the main window's searches.
class TestSelectRecord : public QObject {
    Q_OBJECT

private:
    // The dialog over a context holding three member hits, with a caller to hide.
    struct Dialog : TestContext {
        Dialog() {
            for (const char* id : {"000003", "000001", "000002"}) {
                ctx.CustomerMatches.append(CustomerRec{});
                ctx.CustomerMatches.last().CustomerID = QString::fromLatin1(id);
            }
        }
        QTableWidget* grid() const { return dialog.findChild<QTableWidget*>("msgSelectRecord"); }
        // Starts the list and, once it is up, hands it to `answer`; cancels what is left open.
        void start(const std::function<void()>& answer) {
            QTimer::singleShot(0, &dialog, [this, answer] {
                answer();
                if (dialog.isVisible())
                    dialog.reject();
            });
            dialog.Start(caller, SelectLayout::Customers);
        }
        void press(std::initializer_list<Qt::Key> keys) {
            for (Qt::Key key : keys)
                QTest::keyClick(dialog.windowHandle(), key);
        }

        QWidget caller;
        frmSelectRecord dialog{ctx};
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
        for (int row = 0; row < 3; ++row)
            QCOMPARE(d.grid()->item(row, 0)->text(), QString::number(row + 1));
        QCOMPARE(selected.size(), 6);
        for (const QTableWidgetItem* item : selected)
            QVERIFY(item->row() == 0 && item->column() >= 1);
    }

    // Shown again, the list keeps its rows even if the hits changed meanwhile, with the last
    // chosen row current; after a cancel the next list is filled afresh.
    void pendingListComesBackUnchanged() {
        Dialog d;
        d.start([&] { d.press({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}); });
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
