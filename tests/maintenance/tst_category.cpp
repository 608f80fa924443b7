#include "Cases.h"
#include "FormHarness.h"
#include "StockedShop.h"
#include "categoryModel.h"
#include "compaction.h"
#include "frmCategory.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

// The rate table's model, and the form around it, in a stocked shop with rate codes D (DVD,
// row 0) and V (VIDEO, row 1); BIG FISH is filed under V.
class TestCategory : public QObject {
    Q_OBJECT

private:
    struct Rates : FormHarness<frmCategory> {
        Rates() {
            QVERIFY(stockedshop::stock(t) && shoprows::category(t, "D", "DVD"));
            clock.set(QDateTime(QDate(2004, 3, 10), QTime(18, 40, 5)));
        }
        // The model alone, or once the form is shown, the form's own.
        CategoryModel& rates() {
            if (grid)
                return *static_cast<CategoryModel*>(grid->model());
            if (!model)
                model = std::make_unique<CategoryModel>(t.db(), clock);
            return *model;
        }
        void showForm() {
            form = new frmCategory(ctx);
            form->show();
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form));
            grid = find<QTableView>("dgdCategory");
        }
        QModelIndex cell(int row, const QString& field) {
            return rates().index(row, rates().fieldIndex(field));
        }
        // Puts the cursor on a cell and types: the first key opens the cell's editor, and the
        // window sends the others to it.
        void typeInto(int row, const char* field, const QString& text) {
            grid->setFocus();
            grid->setCurrentIndex(cell(row, field));
            for (QChar c : text)
                QTest::keyClick(form->windowHandle(), c.toLatin1());
        }
        QVariant stored(const QString& field, const QString& id) {
            return t.scalar("SELECT " + field + " FROM Category WHERE CategoryID = ?", {id});
        }
        qint64 codes() { return count("SELECT count(*) FROM Category"); }

        std::unique_ptr<CategoryModel> model;
        QTableView* grid = nullptr;
    };

private Q_SLOTS:
    // Amounts are typed as text and kept in ten-thousandths; what does not read as an amount
    // keeps the stored 15.00. A cell opens with every stored decimal, so leaving it unchanged
    // changes nothing. A written row gets the time of the change. Each row is: typed, stored,
    // shown, edited.
    void amountTyped_data() {
        selfNamedRows({"1,234.50|12345000|1,234.50|1234.50", "0.1234|1234|0.12|0.1234",
                       "ABC|150000|15.00|15.00"});
    }
    void amountTyped() {
        QFETCH(QString, row);
        const QStringList b = row.split('|');
        const qint64 units = b[1].toLongLong();
        Rates r;
        const QModelIndex cell = r.cell(1, "RentUnitRate");
        const bool changed = units != 150000;
        QCOMPARE(r.rates().setData(cell, b[0]), changed);
        QVERIFY(r.rates().submit());
        QCOMPARE(r.stored("RentUnitRate", "V"), units);
        QCOMPARE(r.stored("InDate || ModDate", "V") == "2004-01-01 00:00:002004-03-10 18:40:05",
                 changed);
        const QString editText = r.rates().data(cell, Qt::EditRole).toString();
        QCOMPARE(r.rates().data(cell).toString() + "|" + editText, b[2] + "|" + b[3]);
        QVERIFY(r.rates().setData(cell, editText) && !r.rates().isDirty());
        QVERIFY(r.t.messages.boxes.isEmpty());
    }

    // A row that cannot be stored is reported once and keeps what was typed; corrected, it is
    // stored (a new one with both stamps). Each row is: row, field, typed, corrected, message.
    void refusedRowKeepsTyping_data() {
        selfNamedRows({"2|CategoryID|V| N |Error # ", "0|CategoryID|V|E|Error # ",
                       "0|RentUnitDays|THREE|4|Error # ",
                       "1|CategoryID|W|V|Rate Code V is used by product 000005 (BIG "
                       "FISH), cannot change!"});
    }
    void refusedRowKeepsTyping() {
        QFETCH(QString, row);
        const QStringList edit = row.split('|').mid(1);
        const int at = row.left(1).toInt();
        Rates r;
        QSignalSpy refused(&r.rates(), &CategoryModel::rowRefused);
        if (at == 2)
            QVERIFY(r.rates().addRow() == 2 && r.rates().setData(r.cell(2, "Description"), "X"));
        const QModelIndex cell = r.cell(at, edit[0]);
        QVERIFY(r.rates().setData(cell, edit[1]) && !r.rates().submit());
        QVERIFY(r.t.messages.texts().value(0).startsWith(edit[3]));
        QCOMPARE(QList<QVariantList>(refused), QList<QVariantList>{{at}});
        QCOMPARE(r.rates().data(cell), edit[1]);
        // Asked again with nothing typed since, it says no without a word.
        QVERIFY(!r.rates().submit());
        QCOMPARE(r.t.messages.boxes.size(), 1);
        QVERIFY(r.rates().setData(cell, edit[2]) && r.rates().submit());
        QCOMPARE(r.t.scalar("SELECT count(*) FROM Category WHERE " + edit[0] + " = ?",
                            {edit[2].trimmed()}),
                 1);
        QVERIFY(at != 2 ||
                r.stored("InDate || ModDate", "N") == "2004-03-10 18:40:052004-03-10 18:40:05");
    }

    // A row stored at another counter since the grid read it is not written over: the clerk
    // is told, and the grid shows the row as stored now.
    void storedElsewhereIsReloaded() {
        Rates r;
        QVERIFY(r.rates().rowCount() == 2);
        QVERIFY(r.t.exec("UPDATE Category SET ModDate = '2030-01-01 00:00:00', RentUnitRate = "
                         "200000 WHERE CategoryID = 'V'"));
        QVERIFY(r.rates().setData(r.cell(1, "RentUnitRate"), "30") && !r.rates().submit());
        QCOMPARE(r.t.messages.texts(), {"Rate Code (V) was changed at another counter; the row "
                                        "shows what is stored now!"});
        QVERIFY(!r.rates().isDirty());
        QCOMPARE(r.rates().data(r.cell(1, "RentUnitRate")).toString(), "20.00");
        QCOMPARE(r.stored("RentUnitRate", "V"), 200000);
    }

    // A row never stored goes without a word, as does a pending change with its row; a code
    // that products are filed under stays.
    void deleteRow_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("row never stored") << 2;
        QTest::newRow("row with a pending change") << 0;
        QTest::newRow("code in use") << 1;
    }
    void deleteRow() {
        QFETCH(int, row);
        const int left = row == 0 ? 1 : 2;
        Rates r;
        if (row == 2)
            QVERIFY(r.rates().addRow() == 2 && r.rates().setData(r.cell(2, "CategoryID"), "X"));
        QVERIFY(row != 0 || r.rates().setData(r.cell(0, "CategoryID"), "V"));
        QCOMPARE(r.rates().deleteRow(row), row != 1);
        QCOMPARE(r.codes(), left);
        QCOMPARE(r.rates().rowCount(), left);
        QCOMPARE(r.t.messages.boxes.size(), row == 1 ? 1 : 0);
    }

    // Esc does nothing; a row is stored, in capitals, once it is left; a new row left empty
    // goes; Delete asks first; F12 closes the form and reloads the program's category list.
    void formByKeyboard() {
        Rates r;
        r.showForm();
        QSignalSpy changed(r.form.data(), &frmCategory::categoriesChanged);
        r.press(Qt::Key_Escape);
        QVERIFY(!r.closed());
        r.typeInto(1, "Description", "motion picture");
        r.press(Qt::Key_Up);
        QCOMPARE(r.stored("Description", "V"), "MOTION PICTURE");
        // A cell still being typed in when the database is compacted is stored, and the grid
        // works on afterwards with the stamps still out of sight.
        r.typeInto(0, "UnitPrice", "1,234.5");
        QVERIFY(CompactAndBackup(r.t.db()));
        QCOMPARE(r.stored("UnitPrice", "D"), 12345000);
        QTRY_COMPARE(r.rates().rowCount(), 2);
        QVERIFY(r.grid->isColumnHidden(r.rates().fieldIndex("InDate")));
        r.press(Qt::Key_Insert);
        r.press(Qt::Key_Up);
        QCOMPARE(r.rates().rowCount(), 2);
        r.grid->setCurrentIndex(r.cell(0, "Description"));
        r.t.messages.answers = {AnswerNo, AnswerYes};
        r.press(Qt::Key_Delete);
        QCOMPARE(r.t.messages.texts(), {"Deleted record cannot be restored!\rConfirm delete?"});
        QCOMPARE(r.t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(r.codes(), 2);
        r.press(Qt::Key_Delete);
        QCOMPARE(r.codes(), 1);
        QCOMPARE(r.grid->currentIndex(), r.cell(0, "Description"));
        r.find<QPushButton>("cmdAdd")->click();
        r.typeInto(1, "CategoryID", "n");
        r.press(Qt::Key_F12);
        QVERIFY(r.closed());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(r.ctx.CategoryList.size(), 2);
        QCOMPARE(r.ctx.DiscardAnswer, int(AnswerYes));
        QCOMPARE(r.t.messages.boxes.size(), 2);
    }

    // A refused row gets the cursor back (the model keeps what was typed). Closing asks before it
    // is given up, and stays open while the list cannot be read again.
    void formRefusedRow() {
        Rates r;
        r.showForm();
        QSignalSpy changed(r.form.data(), &frmCategory::categoriesChanged);
        r.typeInto(0, "CategoryID", "v");
        r.press(Qt::Key_Down);
        QVERIFY(r.t.messages.texts().value(0).startsWith("Error # "));
        QTRY_COMPARE(r.grid->currentIndex().row(), 0);
        const QString ask = "Data changed will not be saved!\rConfirm exit?";
        r.t.messages.answers = {AnswerNo, AnswerYes};
        r.press(Qt::Key_F12);
        QCOMPARE(r.t.messages.texts().last(), ask);
        QVERIFY(!r.closed() && r.t.exec("DELETE FROM Category") && !r.form->close());
        QCOMPARE(r.t.messages.texts().mid(2),
                 QStringList({ask, "debug: error in getting category codes"}));
        QCOMPARE(r.t.messages.boxes.last().icon, MsgIcon::None);
        QVERIFY(!r.closed() && changed.isEmpty());
        // Given up, the row is not asked about again.
        QVERIFY(shoprows::category(r.t, "D", "DVD") && r.form->close() && r.closed());
        QCOMPARE(r.t.messages.boxes.size(), 4);
    }
};

QTEST_MAIN(TestCategory)
#include "tst_category.moc"
