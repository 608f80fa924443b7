#include "FormHarness.h"
#include "catalogue.h"
#include "compaction.h"
#include "frmCategory.h"
#include "shoprows.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

class TestCategoryForm : public QObject {
    Q_OBJECT

private:
    // The rate table over categories D (DVD, row 0) and V (VIDEO, row 1), with copy 000101 of a
    // VIDEO title, shown and active.
    struct Screen : FormHarness<frmCategory> {
        Screen() {
            QVERIFY(t.ok());
            QVERIFY(t.exec(QStringLiteral(
                "INSERT INTO Category (CategoryID, Description, RentUnitRate, RentUnitDays) "
                "VALUES ('D', 'DVD', 200000, 2)")));
            QVERIFY(shoprows::product(t, "000001", "TITANIC") &&
                    shoprows::item(t, "000101", "000001"));
            form = new frmCategory(ctx);
            form->show();
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form));
            grid = form->findChild<QTableView*>(QStringLiteral("dgdCategory"));
            QVERIFY(grid);
            model = grid->model();
        }
        int column(const QString& heading) const {
            for (int c = 0; c < model->columnCount(); ++c) {
                if (!grid->isColumnHidden(c) &&
                    model->headerData(c, Qt::Horizontal).toString() == heading)
                    return c;
            }
            return -1;
        }
        // Puts the cursor on a cell and types into it, as the clerk does.
        void typeInto(int row, const QString& heading, const QString& text) const {
            grid->setFocus();
            grid->setCurrentIndex(model->index(row, column(heading)));
            type(text);
        }
        // Keys go where the window system sends them: to the focused control of the window,
        // which is the cell editor once the first key has opened it.
        void type(const QString& text) const {
            for (QChar c : text)
                QTest::keyClick(form->windowHandle(), c.toLatin1());
        }
        QString shown(int row, const QString& heading) const {
            return model->data(model->index(row, column(heading))).toString();
        }
        QVariant stored(const char* field, const char* id) {
            return t.scalar(QStringLiteral("SELECT %1 FROM Category WHERE CategoryID = ?")
                                .arg(QString::fromLatin1(field)),
                            {QString::fromLatin1(id)});
        }
        int count() { return t.scalar(QStringLiteral("SELECT COUNT(*) FROM Category")).toInt(); }

        QTableView* grid = nullptr;
        QAbstractItemModel* model = nullptr;
    };

private Q_SLOTS:
    // Typed text is stored in capitals.
    void editedRowStoredWhenLeft() {
        Screen s;
        s.typeInto(1, "U.Rate (Rent)$", "1,234.50");
        QCOMPARE(s.stored("RentUnitRate", "V").toLongLong(), qint64(150000));
        s.press(Qt::Key_Up);
        QCOMPARE(s.stored("RentUnitRate", "V").toLongLong(), qint64(12345000));
        ItemRateRec rate;
        QVERIFY(GetItemRate(s.t.db(), rate, QStringLiteral("000101")));
        QCOMPARE(rate.RentUnitRate, *Money::parse("1,234.50"));
        QCOMPARE(s.shown(1, "U.Rate (Rent)$"), QStringLiteral("1,234.50"));
        s.typeInto(0, "Description", "digital disc");
        s.press(Qt::Key_Down);
        QCOMPARE(s.stored("Description", "D").toString(), QStringLiteral("DIGITAL DISC"));
        QVERIFY(s.t.messages.boxes.isEmpty());
    }

    void newRowLeftEmptyGoes() {
        Screen s;
        s.grid->setFocus();
        s.grid->setCurrentIndex(s.model->index(1, s.column("Rate Code")));
        s.press(Qt::Key_Insert);
        QCOMPARE(s.model->rowCount(), 3);
        s.press(Qt::Key_Up);
        QCOMPARE(s.model->rowCount(), 2);
        QCOMPARE(s.count(), 2);
        QVERIFY(s.t.messages.boxes.isEmpty());
        s.typeInto(1, "Dis. Qty", "4");
        s.press(Qt::Key_Up);
        QCOMPARE(s.stored("PromoteQty", "V").toInt(), 4);
    }

    // No keeps the row; Yes deletes it.
    void deleteAsksFirst() {
        Screen s;
        s.grid->setFocus();
        s.grid->setCurrentIndex(s.model->index(0, s.column("Rate Code")));
        s.t.messages.answers = {AnswerNo, AnswerYes};
        s.press(Qt::Key_Delete);
        QCOMPARE(s.t.messages.texts(),
                 QStringList{"Deleted record cannot be restored!\rConfirm delete?"});
        QCOMPARE(s.t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(s.count(), 2);
        s.press(Qt::Key_Delete);
        QCOMPARE(s.count(), 1);
        QCOMPARE(s.model->rowCount(), 1);
        QCOMPARE(s.shown(0, "Description"), QStringLiteral("VIDEO"));
    }

    // A refused row keeps what was typed and gets the cursor back; closing asks before it is
    // given up.
    void refusedRowAsksBeforeClosing() {
        Screen s;
        s.typeInto(0, "Rate Code", "v");
        s.press(Qt::Key_Down);
        QCOMPARE(s.t.messages.boxes.size(), 1);
        QTRY_COMPARE(s.grid->currentIndex().row(), 0);
        QCOMPARE(s.shown(0, "Rate Code"), QStringLiteral("V"));
        s.t.messages.answers = {AnswerNo, AnswerYes};
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts().last(),
                 QStringLiteral("Data changed will not be saved!\rConfirm exit?"));
        QVERIFY(!s.closed());
        QVERIFY(s.form->close());
        QCOMPARE(s.t.messages.boxes.size(), 3);
        QVERIFY(s.closed());
        QCOMPARE(s.stored("Description", "D").toString(), QStringLiteral("DVD"));
    }

    void escDoesNothing() {
        Screen s;
        s.grid->setFocus();
        s.press(Qt::Key_Escape);
        QVERIFY(!s.closed());
        QVERIFY(s.t.messages.boxes.isEmpty());
    }

    // A code added in the grid is in the program's list once the form closes.
    void saveReloadsCategoryList() {
        Screen s;
        QSignalSpy changed(s.form.data(), &frmCategory::categoriesChanged);
        s.find<QPushButton>("cmdAdd")->click();
        s.type("n");
        s.press(Qt::Key_Tab);
        s.type("new release");
        s.press(Qt::Key_F12);
        QVERIFY(s.closed());
        QCOMPARE(changed.count(), 1);
        QStringList codes;
        for (const CategoryRec& category : s.ctx.CategoryList)
            codes << category.CategoryID;
        QCOMPARE(codes, (QStringList{"D", "N", "V"}));
        QCOMPARE(s.ctx.DiscardAnswer, int(AnswerYes));
        QVERIFY(s.t.messages.boxes.isEmpty());
    }

    void failedReloadKeepsFormOpen() {
        Screen s;
        QSignalSpy changed(s.form.data(), &frmCategory::categoriesChanged);
        QVERIFY(s.t.exec(QStringLiteral("DELETE FROM Category")));
        QVERIFY(!s.form->close());
        QCOMPARE(s.t.messages.texts(), QStringList{"debug: error in getting category codes"});
        QCOMPARE(s.t.messages.boxes.first().icon, MsgIcon::None);
        QVERIFY(!s.closed());
        QCOMPARE(changed.count(), 0);
    }

    // A cell still being typed in when the database is compacted is stored, and the grid
    // works on afterwards.
    void compactionWhileOpen() {
        Screen s;
        s.typeInto(0, "Unit Price$", "7");
        QVERIFY(CompactAndBackup(s.t.db()));
        QCOMPARE(s.stored("UnitPrice", "D").toLongLong(), qint64(70000));
        QTRY_COMPARE(s.model->rowCount(), 2);
        // The stamps stay out of sight after the rows are read again.
        QVERIFY(s.grid->isColumnHidden(0));
        QVERIFY(s.grid->isColumnHidden(1));
        QCOMPARE(s.column("Rate Code"), 2);
        s.typeInto(1, "Unit Price$", "3");
        s.press(Qt::Key_Up);
        QCOMPARE(s.stored("UnitPrice", "V").toLongLong(), qint64(30000));
        QVERIFY(s.t.messages.boxes.isEmpty());
    }
};

QTEST_MAIN(TestCategoryForm)
#include "tst_category_form.moc"
