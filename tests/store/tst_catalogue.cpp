#include "TestDb.h"
#include "catalogue.h"
#include "shoprows.h"

#include <QTest>

using namespace shoprows;

class Test_catalogue : public QObject {
    Q_OBJECT

private:
    static ItemRec newItem(const QString& id, const QString& productID) {
        ItemRec rec;
        rec.InDate = QDateTime(QDate(2004, 3, 1), QTime(9, 0));
        rec.ModDate = rec.InDate;
        rec.ItemID = id;
        rec.PurchaseDate = QDate(2004, 2, 29);
        rec.ProductID = productID;
        rec.UnitCost = *Money::parse(QStringLiteral("1,250.50"));
        rec.UnitPrice = *Money::parse(QStringLiteral("99.9"));
        rec.Status = QStringLiteral("0");
        return rec;
    }

    static QStringList ids(const QList<ItemRec>& list) {
        QStringList out;
        for (const ItemRec& rec : list)
            out << rec.ItemID;
        return out;
    }

private Q_SLOTS:
    void getItemRate_data() {
        QTest::addColumn<QString>("itemID");
        QTest::addColumn<bool>("found");
        QTest::newRow("found") << "A00001" << true;
        QTest::newRow("no such item") << "Z99999" << false;
        QTest::newRow("product missing") << "B00001" << false;
        QTest::newRow("category missing") << "C00001" << false;
    }
    void getItemRate() {
        QFETCH(QString, itemID);
        QFETCH(bool, found);
        TestDb t;
        QVERIFY(product(t, QStringLiteral("000001"), QStringLiteral("TITANIC")) &&
                item(t, QStringLiteral("A00001"), QStringLiteral("000001"), QStringLiteral("1")) &&
                item(t, QStringLiteral("B00001"), QStringLiteral("000404")) &&
                product(t, QStringLiteral("000002"), QStringLiteral("GONE"), QStringLiteral("X")) &&
                item(t, QStringLiteral("C00001"), QStringLiteral("000002")));
        ItemRateRec rec;
        rec.ItemID = QStringLiteral("UNTOUCHED");
        rec.Quantity = 7;
        QCOMPARE(GetItemRate(t.db(), rec, itemID), found);
        QVERIFY(t.messages.boxes.isEmpty());
        if (!found) {
            QCOMPARE(rec.ItemID, QStringLiteral("UNTOUCHED"));
            QCOMPARE(rec.Quantity, 7);
            return;
        }
        QCOMPARE(rec.ItemID, itemID);
        QCOMPARE(rec.Status, QStringLiteral("1"));
        QCOMPARE(rec.ProductName, QStringLiteral("TITANIC"));
        QCOMPARE(rec.CategoryID, QStringLiteral("V"));
        QCOMPARE(rec.RentUnitRate, Money::fromWhole(15));
        QCOMPARE(rec.RentUnitDays, 3);
        QCOMPARE(rec.OverDueRate, Money::fromWhole(10));
        QCOMPARE(rec.Quantity, 0);
    }

    void getCategoriesInDescriptionOrder() {
        TestDb t;
        QVERIFY(category(t, QStringLiteral("D"), QStringLiteral("DVD")) &&
                category(t, QStringLiteral("B"), QStringLiteral("BLU-RAY")));
        QList<CategoryRec> list;
        QVERIFY(GetCategories(t.db(), list, true));
        QStringList order;
        for (const CategoryRec& rec : list)
            order << rec.Description;
        QCOMPARE(order, QStringList({"BLU-RAY", "DVD", "VIDEO"}));

        QList<CategoryRec> one(1);
        one[0].CategoryID = QStringLiteral("D");
        QVERIFY(GetCategories(t.db(), one, false));
        QCOMPARE(one.size(), 1);
        QCOMPARE(one[0].Description, QStringLiteral("DVD"));
    }

    void getCategoriesOnEmptyTableKeepsList() {
        TestDb t(false);
        QList<CategoryRec> list(1);
        list[0].Description = QStringLiteral("KEPT");
        QVERIFY(!GetCategories(t.db(), list, true));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].Description, QStringLiteral("KEPT"));
    }

    void findItemsByTitle_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("contains") << "LOVE"
                                  << QStringList{"100% LOVE", "GLOVES", "I LOVE LUCY", "LOVE"};
        QTest::newRow("percent is literal") << "%" << QStringList{"100% LOVE"};
    }
    void findItemsByTitle() {
        QFETCH(QString, text);
        QFETCH(QStringList, titles);
        TestDb t;
        const QStringList stored = {"LOVE", "I LOVE LUCY", "GLOVES",        "100% LOVE",
                                    "AXB",  "A_B",         "O'BRIEN'S DAY", "NO STATUS LOVE"};
        for (qsizetype i = 0; i < stored.size(); ++i) {
            const QString pid = QString::number(i + 1).rightJustified(6, QLatin1Char('0'));
            const QString status = stored[i].startsWith("NO STATUS") ? "9" : "2";
            QVERIFY(product(t, pid, stored[i]) && item(t, "A" + pid.mid(1), pid, status));
        }
        QList<ItemRec> hits;
        QVERIFY(FindItemsByTitle(t.db(), text, hits));
        QStringList found;
        for (const ItemRec& hit : hits) {
            found << hit.ProductName;
            QCOMPARE(hit.Status, QStringLiteral("Damaged"));
            QCOMPARE(hit.CategoryID, QStringLiteral("V"));
        }
        QCOMPARE(found, titles);
        QVERIFY(t.messages.boxes.isEmpty());
    }

    void findItemsByTitleWithoutHitsKeepsList() {
        TestDb t;
        QList<ItemRec> hits(1);
        hits[0].ItemID = QStringLiteral("KEPT");
        QVERIFY(!FindItemsByTitle(t.db(), QStringLiteral("NOTHING"), hits));
        QCOMPARE(ids(hits), QStringList{"KEPT"});
    }

    void getItemsByProductAndByItem() {
        TestDb t;
        QVERIFY(product(t, QStringLiteral("000001"), QStringLiteral("T")) &&
                item(t, QStringLiteral("C00003"), QStringLiteral("000001")) &&
                item(t, QStringLiteral("A00001"), QStringLiteral("000001")) &&
                item(t, QStringLiteral("B00002"), QStringLiteral("000001")) &&
                item(t, QStringLiteral("D00004"), QStringLiteral("000002")));
        QList<ItemRec> list(1);
        list[0].ProductID = QStringLiteral("000001");
        QVERIFY(GetItems(t.db(), list, true));
        QCOMPARE(ids(list), QStringList({"A00001", "B00002", "C00003"}));
        QVERIFY(!list[0].Added && !list[0].Changed && !list[0].Deleted);

        QList<ItemRec> one(1);
        one[0].ItemID = QStringLiteral("B00002");
        QVERIFY(GetItems(t.db(), one, false));
        QCOMPARE(ids(one), QStringList{"B00002"});
        QCOMPARE(one[0].ProductID, QStringLiteral("000001"));
    }

    void insertItemLeavesStatisticsUnwritten() {
        TestDb t;
        QVERIFY(InsertItem(t.db(), newItem(QStringLiteral("A00001"), QStringLiteral("000001"))));
        QVERIFY(t.scalar(QStringLiteral("SELECT RentTimes FROM Items")).isNull());
        QVERIFY(t.scalar(QStringLiteral("SELECT LastRentDate FROM Items")).isNull());
        QList<ItemRec> list(1);
        list[0].ItemID = QStringLiteral("A00001");
        QVERIFY(GetItems(t.db(), list, false));
        const ItemRec expected = newItem(QStringLiteral("A00001"), QStringLiteral("000001"));
        QCOMPARE(list[0].PurchaseDate, expected.PurchaseDate);
        QCOMPARE(list[0].UnitCost, expected.UnitCost);
        QCOMPARE(list[0].UnitPrice, expected.UnitPrice);
        QCOMPARE(list[0].InDate, expected.InDate);
        QCOMPARE(list[0].RentTimes, 0);
        QCOMPARE(list[0].LastRentDate, NoDate);
    }

    void updatesWriteOnlyTheirColumns_data() {
        QTest::addColumn<bool>("statusOnly");
        QTest::newRow("UpdateItem") << false;
        QTest::newRow("UpdateItemStatus") << true;
    }
    void updatesWriteOnlyTheirColumns() {
        QFETCH(bool, statusOnly);
        TestDb t;
        QVERIFY(InsertItem(t.db(), newItem(QStringLiteral("A00001"), QStringLiteral("000001"))));
        QVERIFY(t.exec(QStringLiteral("UPDATE Items SET RentTimes = 5, LastRentDate = ?"),
                       {QDate(2003, 5, 6)}));
        ItemRec rec = newItem(QStringLiteral("A00001"), QStringLiteral("000009"));
        rec.InDate = QDateTime(QDate(2010, 1, 1), QTime(0, 0));
        rec.ModDate = QDateTime(QDate(2004, 3, 9), QTime(8, 7, 6));
        rec.Status = QStringLiteral("3");
        rec.RentTimes = 99;
        rec.LastRentDate = QDate(2009, 9, 9);
        QVERIFY(statusOnly ? UpdateItemStatus(t.db(), rec) : UpdateItem(t.db(), rec));
        QList<ItemRec> list(1);
        list[0].ItemID = QStringLiteral("A00001");
        QVERIFY(GetItems(t.db(), list, false));
        QCOMPARE(list[0].Status, QStringLiteral("3"));
        QCOMPARE(list[0].ModDate, rec.ModDate);
        QCOMPARE(list[0].ProductID, statusOnly ? QStringLiteral("000001") : rec.ProductID);
        QCOMPARE(list[0].InDate, QDateTime(QDate(2004, 3, 1), QTime(9, 0)));
        QCOMPARE(list[0].RentTimes, 5);
        QCOMPARE(list[0].LastRentDate, QDate(2003, 5, 6));
    }

    void productRoundTrip() {
        TestDb t;
        ProductRec rec;
        rec.InDate = QDateTime(QDate(2004, 3, 1), QTime(9, 0));
        rec.ModDate = rec.InDate;
        rec.ProductID = QStringLiteral("000007");
        rec.ProductName = QStringLiteral("O'BRIEN \"THE 50%\"");
        rec.CategoryID = QStringLiteral("V");
        rec.UnitCost = *Money::parse(QStringLiteral("12,345.67"));
        rec.Discontinued = QStringLiteral("N");
        QVERIFY(InsertProduct(t.db(), rec));
        rec.ProductName = QStringLiteral("RENAMED");
        rec.InDate = QDateTime(QDate(2020, 1, 1), QTime(0, 0));
        rec.ModDate = QDateTime(QDate(2004, 3, 2), QTime(10, 0));
        QVERIFY(UpdateProduct(t.db(), rec));

        ProductRec read;
        read.Items = {newItem(QStringLiteral("A00001"), QStringLiteral("000007"))};
        QVERIFY(GetProduct(t.db(), read));
        QCOMPARE(read.ProductName, QStringLiteral("RENAMED"));
        QCOMPARE(read.UnitCost, rec.UnitCost);
        QCOMPARE(read.InDate, QDateTime(QDate(2004, 3, 1), QTime(9, 0)));
        QCOMPARE(read.ModDate, rec.ModDate);
        QCOMPARE(read.Items.size(), 1);

        read.Items[0].ProductID = QStringLiteral("000404");
        QVERIFY(!GetProduct(t.db(), read));
        QCOMPARE(read.ProductID, QStringLiteral("000007"));
    }

    void deleteProduct_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("unused") << ""
                                << "";
        QTest::newRow("order line")
            << "INSERT INTO Order_Details (OrderIdx, ItemID) VALUES ('000001', 'A00002')"
            << "Item A00002 has transaction records, cannot delete!";
        QTest::newRow("sale") << "INSERT INTO Sales (RateID) VALUES ('A00003')"
                              << "Item A00003 has transaction records, cannot delete!";
    }
    void deleteProduct() {
        QFETCH(QString, reference);
        QFETCH(QString, refusal);
        TestDb t;
        QVERIFY(product(t, QStringLiteral("000001"), QStringLiteral("GONE")) &&
                product(t, QStringLiteral("000002"), QStringLiteral("STAYS")) &&
                item(t, QStringLiteral("A00003"), QStringLiteral("000001")) &&
                item(t, QStringLiteral("A00002"), QStringLiteral("000001")) &&
                item(t, QStringLiteral("B00001"), QStringLiteral("000002")));
        QVERIFY(reference.isEmpty() || t.exec(reference));
        QCOMPARE(DeleteProduct(t.db(), QStringLiteral("000001")), refusal.isEmpty());
        const qint64 items = t.scalar(QStringLiteral("SELECT count(*) FROM Items")).toLongLong();
        const qint64 products =
            t.scalar(QStringLiteral("SELECT count(*) FROM Products")).toLongLong();
        if (refusal.isEmpty()) {
            QVERIFY(t.messages.boxes.isEmpty());
            QCOMPARE(items, 1);
            QCOMPARE(products, 1);
            return;
        }
        QCOMPARE(t.messages.texts(), QStringList{refusal});
        QCOMPARE(items, 3);
        QCOMPARE(products, 2);
    }
};

QTEST_GUILESS_MAIN(Test_catalogue)
#include "tst_catalogue.moc"
