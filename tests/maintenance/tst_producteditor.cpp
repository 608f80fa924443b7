#include "TestClock.h"
#include "TestDb.h"
#include "productcheck.h"
#include "producteditor.h"
#include "shoprows.h"

#include <QTest>

Q_DECLARE_METATYPE(ItemBoxes)

// A product and its list of copies, saved to a real database file.
class TestProductEditor : public QObject {
    Q_OBJECT

private:
    // Title 000005 with copies B00001 and B00002; title 000006 with copy C00001.
    struct Shop {
        Shop() {
            QVERIFY(t.ok());
            QVERIFY(shoprows::product(t, "000005", "BIG FISH") &&
                    shoprows::product(t, "000006", "X"));
            QVERIFY(shoprows::item(t, "B00001", "000005") && shoprows::item(t, "B00002", "000005"));
            QVERIFY(shoprows::item(t, "C00001", "000006"));
        }
        qint64 count(const QString& sql) { return t.scalar(sql).toLongLong(); }
        // Every row a save could write, so a refusal can be seen to have written nothing.
        qint64 rows() {
            return count("SELECT (SELECT count(*) FROM Products) * 1000 + "
                         "(SELECT count(*) FROM Items) * 10 + (SELECT ProductID FROM SerialNo)");
        }
        template <typename Rec, typename Read> static QList<Rec> loaded(TestDb& t, Read read) {
            QList<Rec> list;
            read(t.db(), list, true);
            return list;
        }

        TestDb t;
        TestClock clock;
        QList<CategoryRec> categories = loaded<CategoryRec>(t, GetCategories);
        QList<ItemStatusRec> statuses = loaded<ItemStatusRec>(t, GetItemStatuses);
        ProductEditor editor{t.db(), t.messages, clock, categories, statuses};
    };

    static ItemBoxes boxes(const QString& id) { return {id, "10/03/2004", "0", "25", "Available"}; }
    static ProductBoxes title() { return {"NEW TITLE", "V", "XXX", "0.00", "0.00", "N", ""}; }

private Q_SLOTS:
    void failedCopyInsertUndoesAllAndSaveWorksAgain() {
        Shop s;
        QVERIFY(s.t.exec("CREATE TRIGGER refuse_n2 BEFORE INSERT ON Items "
                         "WHEN NEW.ItemID = 'N00002' BEGIN SELECT RAISE(ABORT, 'no room'); END"));
        QVERIFY(s.editor.Start("N1"));
        QVERIFY(s.editor.ApplyItem(boxes("N1")) && s.editor.AddItem(boxes("N2")));
        const qint64 before = s.rows();
        QVERIFY(!s.editor.Save(title()));
        QVERIFY(s.t.messages.texts().first().startsWith("Error # "));
        QCOMPARE(s.t.messages.texts().last(), QString("Product (New) failed!"));
        QCOMPARE(s.rows(), before);
        QVERIFY(s.editor.IsNew() && s.editor.product().ProductID.isEmpty());

        QVERIFY(s.t.exec("DROP TRIGGER refuse_n2"));
        QVERIFY(s.editor.Save(title()));
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ProductID = '000001'"), 2);
        QCOMPARE(s.count("SELECT ProductID FROM SerialNo"), 2);
    }

    void copyAddedAndRemovedCostsNoStatement() {
        Shop s;
        // Any statement on Items for the passing copy would make the save fail.
        QVERIFY(s.t.exec("CREATE TRIGGER watch_x1 BEFORE INSERT ON Items "
                         "WHEN NEW.ItemID = 'X00001' BEGIN SELECT RAISE(ABORT, 'written'); END"));
        QVERIFY(s.editor.Start("B1"));
        QVERIFY(s.editor.AddItem(boxes("X1")));
        QVERIFY(s.editor.RemoveItem({"X00001"}));
        QVERIFY(s.editor.Save(title()));
        QCOMPARE(s.t.messages.texts(), QStringList("Product (Update) saved successfully"));
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ItemID = 'X00001'"), 0);
    }

    void refusedCopyWritesNothing_data() {
        QTest::addColumn<ItemBoxes>("typed");
        QTest::addColumn<QStringList>("messages");
        const QString notValid = NotValidItemIDText;
        const QString again = " Please input another Item ID!";
        QTest::newRow("stored for another title")
            << boxes("C1")
            << QStringList({"C00001 The Item ID already exists in database!", again});
        QTest::newRow("letters and blanks")
            << boxes("B 3") << QStringList({"B 3" + notValid, again});
        QTest::newRow("no digits") << boxes("BEE") << QStringList({"BEE" + notValid, again});
    }
    void refusedCopyWritesNothing() {
        QFETCH(ItemBoxes, typed);
        QFETCH(QStringList, messages);
        Shop s;
        QVERIFY(s.editor.Start("B1"));
        const qint64 before = s.rows();
        QVERIFY(!s.editor.ApplyItem(typed));
        QCOMPARE(s.t.messages.texts(), messages);
        QVERIFY(!s.editor.AddItem(boxes("B1")));
        QCOMPARE(s.t.messages.texts().last(),
                 QString("B00001 The Item ID already exists in (item) list!"));
        QVERIFY(s.editor.Save(title()));
        QCOMPARE(s.rows(), before);
    }

    // A copy that an order line or a sale names stays listed; a free one is deleted on save.
    void removeItem_data() {
        QTest::addColumn<QStringList>("references");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("free") << QStringList() << QString();
        QTest::newRow("order line")
            << QStringList{"INSERT INTO Orders (OrderID, CustomerID) VALUES ('000001', '1')",
                           "INSERT INTO Order_Details (OrderIdx, OrderID, ItemID) VALUES "
                           "('000001', '000001', 'B00001')"}
            << "B00001 The Item ID is referenced by order record(s), cannot delete!";
        QTest::newRow("sale's rate code")
            << QStringList{"INSERT INTO Sales (RateID) VALUES ('B00001')"}
            << "B00001 The Item ID is referenced by sale record(s), cannot delete!";
        QTest::newRow("copy sold")
            << QStringList{"INSERT INTO Sales (RateID, ItemID) VALUES ('S00001', 'B00001')"}
            << "B00001 The Item ID is referenced by sale record(s), cannot delete!";
    }
    void removeItem() {
        QFETCH(QStringList, references);
        QFETCH(QString, refusal);
        Shop s;
        for (const QString& sql : references)
            QVERIFY(s.t.exec(sql));
        QVERIFY(s.editor.Start("B1"));
        QCOMPARE(s.editor.RemoveItem({"B00001"}), refusal.isEmpty());
        QCOMPARE(s.t.messages.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QVERIFY(s.editor.Save(title()));
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ItemID = 'B00001'"),
                 refusal.isEmpty() ? 0 : 1);
    }

    void appliedStoredCopyIsUpdated() {
        Shop s;
        QVERIFY(s.editor.Start("B2"));
        QVERIFY(s.editor.ApplyItem({"B1", "01/02/2004", "9.90", "19.90", "Damaged"}));
        QVERIFY(s.editor.Save(title()));
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ItemID = 'B00001' AND Status = '2' "
                         "AND UnitPrice = 199000 AND PurchaseDate = '2004-02-01'"),
                 1);
        QCOMPARE(s.count("SELECT count(*) FROM Items WHERE ModDate IS NULL"), 2);
    }
};

QTEST_GUILESS_MAIN(TestProductEditor)
#include "tst_producteditor.moc"
