#include "Cases.h"
#include "FormHarness.h"
#include "StockedShop.h"
#include "frmProduct.h"
#include "labelprint.h"
#include "productcheck.h"
#include "producteditor.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

// The product checks, the editor of a title and its copies, and the form around it, in a
// stocked shop: BIG FISH (000005) with copies B00001 (bought for 1,234.50, out on an order)
// and B00002, and CASABLANCA (000006) with copy C00001.
class TestProduct : public QObject {
    Q_OBJECT

private:
    struct Shop : FormHarness<frmProduct> {
        Shop() {
            QVERIFY(stockedshop::stock(t) && GetCategories(t.db(), ctx.CategoryList, true) &&
                    GetItemStatuses(t.db(), ctx.ItemStatusList, true));
            editor = std::make_unique<ProductEditor>(t.db(), t.messages, clock, ctx.CategoryList,
                                                     ctx.ItemStatusList);
        }
        QWidget* focus() const { return QApplication::focusWidget(); }
        void click(const char* button) const {
            QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
        }
        // Every row a save could write, so a refusal can be seen to have written nothing.
        qint64 rows() {
            return count("SELECT (SELECT count(*) FROM Products) * 1000 + "
                         "(SELECT count(*) FROM Items) * 10 + (SELECT ProductID FROM SerialNo)");
        }
        QString copies(const char* productID) {
            return t
                .scalar("SELECT group_concat(ItemID || ' ' || Status || ' ' || UnitCost, ', ') "
                        "FROM Items WHERE ProductID = ?",
                        {productID})
                .toString();
        }
        std::unique_ptr<ProductEditor> editor;
    };

    static ItemBoxes boxes(const QString& id) { return {id, "10/03/2004", "0", "25", "Available"}; }
    static ProductBoxes title() { return {"NEW TITLE", "V", "XXX", "0.00", "0.00", "N", ""}; }

private Q_SLOTS:
    // The first rule broken wins. Boxes of a copy are ID, purchase date, purchase and retail
    // price, status; those of a title are name, rate code, supplier, purchase and retail price,
    // stop flag, remarks.
    void boxChecks_data() {
        const Cases<QString, QString> row;
        row("copy passes", "A12|29/02/2004|1,234.50|.5|Damaged", "");
        row("all digits", " 123 |x|x|x|", "123" + NotValidItemIDText);
        row("no such day", "A1|31/02/2004|x|x|", "Purchase Date error!");
        row("cost in words", "A1|01/03/2004|ABC|x|", "Purchase Price error!");
        row("cost below zero", "A1|01/03/2004|-50|0|Available", "Purchase Price error!");
        row("price empty", "A1|01/03/2004|0||Available", "Retail Price error!");
        row("status unknown", "A1|01/03/2004|0|0|LOST", "Item Status error!");
        row("no status", "A1|01/03/2004|0|0|", "Item Status error!");
        row("title passes", "T| V ||0|12.00|N|", "");
        row("unknown rate code", "T|X||x|x||", "Rate Code error!");
        row("title cost in words", "T|V||ABC|x||", "Purchase Price error!");
        row("title price in words", "T|V||0|ABC||", "Retail Price error!");
    }
    void boxChecks() {
        const auto [typed, message] = Cases<QString, QString>::fetch();
        const QStringList names = StatusNames({{"2", "Damaged"}, {"0", "Available"}});
        QCOMPARE(names, QStringList({"Available", "", "Damaged"}));
        CategoryRec video;
        video.CategoryID = "V";
        const QStringList b = typed.split('|');
        QCOMPARE(b.size() == 5
                     ? CheckItemBoxes({b[0], b[1], b[2], b[3], b[4]}, names)
                     : CheckProductBoxes({b[0], b[1], b[2], b[3], b[4], b[5], b[6]}, {video}),
                 message);
    }

    // A new copy's ID needs a letter and a digit and nothing else.
    void newItemID() {
        for (const char* id : {"A00012", "DV0012", "", "B 3", "A'12", "BEE"})
            QVERIFY2(IsWellFormedItemID(id) == (QByteArray(id).size() == 6), id);
    }

    // A failed save writes nothing and leaves the title as it was; the retry takes the title's
    // number again.
    void failedSaveUndoesAll() {
        Shop s;
        QVERIFY(s.t.exec("CREATE TRIGGER refuse_n2 BEFORE INSERT ON Items "
                         "WHEN NEW.ItemID = 'N00002' BEGIN SELECT RAISE(ABORT, 'no room'); END"));
        QVERIFY(s.editor->Start("N1"));
        QVERIFY(s.editor->ApplyItem(boxes("N1")) && s.editor->AddItem(boxes("N2")));
        const qint64 before = s.rows();
        QVERIFY(!s.editor->Save(title()));
        QCOMPARE(s.t.messages.texts().first().left(8) + s.t.messages.texts().last(),
                 "Error # Product (New) failed!");
        QCOMPARE(s.rows(), before);
        QVERIFY(s.editor->IsNew() && s.editor->product().ProductID.isEmpty());
        QVERIFY(s.t.exec("DROP TRIGGER refuse_n2") && s.editor->Save(title()));
        QCOMPARE(s.copies("000001"), "N00001 0 0, N00002 0 0");
        QCOMPARE(s.count("SELECT ProductID FROM SerialNo"), 2);
    }

    // A copy that an order line or a sale names stays listed; a stored one is deleted on save,
    // one added in this visit costs no statement. The first copy left is shown.
    void removeItem_data() {
        const Cases<QString, QStringList, QString> add;
        const auto row = [&add](const char* name, const char* id, const QString& refusal = "",
                                const QStringList& sale = {}) { add(name, id, sale, refusal); };
        const QString sold = "B00002 The Item ID is referenced by sale record(s), cannot delete!";
        row("free", "B00002");
        row("added in this visit", "X00001");
        row("nothing selected", "", "Select an Item ID first in (item) list!");
        row("order line", "B00001",
            "B00001 The Item ID is referenced by order record(s), cannot delete!");
        row("sale's rate code", "B00002", sold, {"B00002", "S00009"});
        row("copy sold", "B00002", sold, {"S00001", "B00002"});
    }
    void removeItem() {
        const auto [id, sale, refusal] = Cases<QString, QStringList, QString>::fetch();
        Shop s;
        QVERIFY(sale.isEmpty() ||
                s.t.exec("INSERT INTO Sales (RateID, ItemID) VALUES (?, ?)", {sale[0], sale[1]}));
        // Any statement on Items for a copy added in this visit would make the save fail.
        QVERIFY(s.t.exec("CREATE TRIGGER watch BEFORE INSERT ON Items WHEN NEW.ItemID = 'X00001' "
                         "BEGIN SELECT RAISE(ABORT, 'written'); END"));
        QVERIFY(s.editor->Start("B2") && s.editor->ShowItem("B00002"));
        QVERIFY(id != "X00001" || s.editor->AddItem(boxes(id)));
        QCOMPARE(s.editor->RemoveItem(id.isEmpty() ? QStringList() : QStringList{id}),
                 refusal.isEmpty());
        QCOMPARE(s.t.messages.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(s.editor->current().ItemID, refusal.isEmpty() ? "B00001" : "B00002");
        QVERIFY(s.editor->Save(title()));
        QCOMPARE(s.t.scalar("SELECT count(*) FROM Items WHERE ItemID = ?", {id}),
                 refusal.isEmpty() || id.isEmpty() ? 0 : 1);
    }

    // A new copy may take neither an ID stored for another title nor one already listed; a
    // stored copy applied from the boxes is rewritten on save.
    void copiesApplied() {
        Shop s;
        QVERIFY(s.editor->Start("B2"));
        const qint64 before = s.rows();
        const QString again = " Please input another Item ID!";
        QVERIFY(!s.editor->ApplyItem(boxes("C1")) && !s.editor->ApplyItem(boxes("B 3")));
        QVERIFY(!s.editor->AddItem(boxes("B1")));
        QCOMPARE(s.t.messages.texts(),
                 QStringList({"C00001 The Item ID already exists in database!", again,
                              "B 3" + NotValidItemIDText, again,
                              "B00001 The Item ID already exists in (item) list!"}));
        QVERIFY(s.editor->Save(title()));
        QCOMPARE(s.rows(), before);
        QVERIFY(s.editor->ApplyItem({"B1", "01/02/2004", "9.90", "19.90", "Damaged"}));
        QVERIFY(s.editor->Save(title()));
        QCOMPARE(s.t.scalar("SELECT ItemID || ' ' || Status || ' ' || UnitPrice || ' ' || "
                            "PurchaseDate FROM Items WHERE ModDate = ?",
                            {s.clock.now()}),
                 "B00001 2 199000 2004-02-01");
    }

    // A title or copy stored at another counter since the form read it is not written over:
    // the save is refused with the message naming it, writes nothing, and can be made again
    // once the form reads the row afresh. The row stored elsewhere = the message.
    void storedElsewhereIsKept_data() {
        const Cases<QString, QString, QString> add;
        add("title", "Products", "ProductID = '000005'",
            "Product (000005) was changed at another counter; open the product again!");
        add("copy", "Items", "ItemID = 'B00001'",
            "The Item (B00001) was changed at another counter; open the product again!");
    }
    void storedElsewhereIsKept() {
        const auto [table, row, message] = Cases<QString, QString, QString>::fetch();
        Shop s;
        QVERIFY(s.editor->Start("B2") && s.editor->product().ProductID == "000005");
        QVERIFY(s.editor->ApplyItem({"B1", "01/02/2004", "9.90", "19.90", "Available"}));
        QVERIFY(s.t.exec("UPDATE " + table + " SET ModDate = '2030-01-01 00:00:00' WHERE " + row));
        const qint64 before = s.rows();
        QVERIFY(!s.editor->Save(title()));
        QCOMPARE(s.t.messages.texts(), {message});
        QCOMPARE(s.rows(), before);
        QCOMPARE(s.count("SELECT count(*) FROM Products WHERE ProductName = 'NEW TITLE'") +
                     s.count("SELECT count(*) FROM Items WHERE UnitPrice = 199000"),
                 0);
    }

    // A new title by keyboard: leaving the purchase date takes the copy into the list; a
    // refused box is told at once and again by F12, which saves once all is well.
    void formNewTitleByKeyboard() {
        Shop s;
        QVERIFY(!s.open("123"));
        QCOMPARE(s.t.messages.texts(), {"123" + NotValidItemIDText});
        QVERIFY(s.open("N1"));
        QCOMPARE(s.box("txtItemID")->text() + s.box("txtPurchaseDate")->text() +
                     s.box("txtCategoryDesc")->text(),
                 "N0000110/03/2004VIDEO");
        QVERIFY(!s.find<QPushButton>("cmdDelete")->isEnabled());
        QCOMPARE(s.focus(), s.box("txtProductName"));
        QTest::keyClicks(s.focus(), "big fish");
        for (int step = 0; step < 9 && s.focus() != s.box("txtUnitCost"); ++step)
            s.press(Qt::Key_Tab);
        auto* list = s.find<QListWidget>("lstItemID");
        QCOMPARE(list->count(), 1);
        QTest::keyClicks(s.focus(), "abc");
        s.press(Qt::Key_Tab);
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts().mid(1), QStringList(2, "Purchase Price error!"));
        s.type("txtItemID", "n2");
        s.type("txtUnitCost", "12.5");
        s.press(Qt::Key_Tab);
        s.find<QComboBox>("cboStatus")->setFocus();
        s.press(Qt::Key_Down);
        s.press(Qt::Key_Down);
        s.press(Qt::Key_F12);
        QCOMPARE(s.t.messages.texts().last(), "Product (New) saved successfully");
        QTRY_VERIFY(s.form.isNull());
        QCOMPARE(s.copies("000001"), "N00001 0 0, N00002 2 125000");
    }

    // A stored copy opens its title with its figures; the list shows the copy clicked and
    // removes the one selected; an emptied rate code is asked for; Esc leaves without saving.
    void formStoredTitle() {
        Shop s;
        QVERIFY(s.open("B2"));
        QCOMPARE(s.box("txtItemID")->text() + s.box("txtUnitCost")->text() +
                     s.box("txtRentTimes")->text() + s.box("txtLastRentDate")->text(),
                 "B000011,234.50205/03/2004");
        QVERIFY(s.find<QPushButton>("cmdDelete")->isEnabled());
        auto* list = s.find<QListWidget>("lstItemID");
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(s.box("txtItemID")->text() + s.box("txtRentTimes")->text(), "B000020");
        s.click("cmdDeleteItem");
        QCOMPARE(list->count(), 1);
        QCOMPARE(s.box("txtItemID")->text(), "B00001");
        auto* code = s.find<QComboBox>("cboCategoryID");
        code->setFocus();
        code->clearEditText();
        s.press(Qt::Key_Tab);
        QCOMPARE(s.t.messages.texts(), {"Please input Rate Code!"});
        QTRY_COMPARE(s.focus(), code);
        s.press(Qt::Key_Escape);
        QTRY_VERIFY(s.form.isNull());
        QCOMPARE(s.copies("000005"), "B00001 1 12345000, B00002 0 0");
    }

    // Labels need a copy in the list; a new title has none yet.
    void formLabelsNeedACopy() {
        Shop s;
        QVERIFY(s.open("N1"));
        s.press(Qt::Key_F7);
        QCOMPARE(s.t.messages.texts(), {NoCopiesText});
        QCOMPARE(s.t.messages.boxes.first().icon, MsgIcon::Exclamation);
    }

    void formDeleteAsksFirst_data() {
        selfNamedRows({"C1 yes", "C1 no", "B1 yes, a copy is rented"});
    }
    void formDeleteAsksFirst() {
        QFETCH(QString, row);
        const int answer = row.contains("yes") ? AnswerYes : AnswerNo;
        const QString key = row.left(2);
        Shop s;
        QVERIFY(s.open(key));
        s.t.messages.answers = {answer};
        s.click("cmdDelete");
        QCOMPARE(s.t.messages.texts().first(),
                 "Deleted record cannot be restored!\rConfirm delete?");
        QCOMPARE(s.t.messages.boxes.first().buttons, MsgButtons::YesNoCancel);
        const bool gone = key == "C1" && answer == AnswerYes;
        QCOMPARE(s.count("SELECT count(*) FROM Products"), gone ? 1 : 2);
        QTRY_COMPARE(s.form.isNull(), gone);
    }
};

QTEST_MAIN(TestProduct)
#include "tst_product.moc"
