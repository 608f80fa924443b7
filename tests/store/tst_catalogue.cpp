#include "TestDb.h"
#include "catalogue.h"
#include "shoprows.h"

#include <QFile>
#include <QTest>

using namespace shoprows;

namespace {

ItemRec newItem(const QString& id, const QString& productID) {
    ItemRec rec;
    rec.InDate = rec.ModDate = QDateTime(QDate(2004, 3, 1), QTime(9, 0));
    rec.ItemID = id;
    rec.PurchaseDate = QDate(2004, 2, 29);
    rec.ProductID = productID;
    rec.UnitCost = *Money::parse(QStringLiteral("1,250.50"));
    rec.UnitPrice = *Money::parse(QStringLiteral("99.9"));
    rec.Status = QStringLiteral("0");
    return rec;
}

// The copies `GetItems` reads for a product (byProduct) or an item.
QList<ItemRec> readItems(TestDb& t, const QString& id, bool byProduct = false) {
    QList<ItemRec> list(1);
    (byProduct ? list[0].ProductID : list[0].ItemID) = id;
    return GetItems(t.db(), list, byProduct) ? list : QList<ItemRec>();
}

QStringList ids(const QList<ItemRec>& list) {
    QStringList out;
    for (const ItemRec& rec : list)
        out << rec.ItemID;
    return out;
}

} // namespace

class Test_catalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void getItemRate_data() {
        QTest::addColumn<QString>("itemID");
        QTest::newRow("found") << "A00001";
        QTest::newRow("no such item") << "Z99999";
        QTest::newRow("product missing") << "B00001";
        QTest::newRow("category missing") << "C00001";
    }
    void getItemRate() {
        QFETCH(QString, itemID);
        TestDb t;
        QVERIFY(product(t, "000001", "TITANIC") && item(t, "A00001", "000001", "1") &&
                item(t, "B00001", "000404") && product(t, "000002", "GONE", "X") &&
                item(t, "C00001", "000002"));
        ItemRateRec rec;
        rec.ItemID = QStringLiteral("UNTOUCHED");
        rec.Quantity = 7;
        const bool found = itemID == QLatin1String("A00001");
        QCOMPARE(GetItemRate(t.db(), rec, itemID), found);
        QVERIFY(t.messages.boxes.isEmpty());
        QCOMPARE(rec.ItemID, found ? itemID : QStringLiteral("UNTOUCHED"));
        QCOMPARE(rec.Quantity, found ? 0 : 7);
        if (found) {
            QCOMPARE(rec.Status + rec.CategoryID + rec.ProductName, QStringLiteral("1VTITANIC"));
            QCOMPARE(rec.RentUnitRate, Money::fromWhole(15));
            QCOMPARE(rec.RentUnitDays, 3);
            QCOMPARE(rec.OverDueRate, Money::fromWhole(10));
        }
    }

    void getCategories() {
        TestDb t;
        QVERIFY(category(t, "D", "DVD") && category(t, "B", "BLU-RAY"));
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
        // An empty table leaves the list as it was.
        QVERIFY(t.exec("DELETE FROM Category"));
        QVERIFY(!GetCategories(t.db(), one, true));
        QCOMPARE(one.size(), 1);
        QCOMPARE(one[0].Description, QStringLiteral("DVD"));
    }

    // A copy whose status has no name is not listed; no hit leaves the list as it was.
    void findItemsByTitle_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("contains") << "LOVE"
                                  << QStringList{"100% LOVE", "GLOVES", "I LOVE LUCY", "LOVE"};
        QTest::newRow("percent is literal") << "%" << QStringList{"100% LOVE"};
        QTest::newRow("underscore is literal") << "_" << QStringList{"A_B"};
        QTest::newRow("nothing") << "NOTHING" << QStringList{"KEPT"};
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
        QList<ItemRec> hits(1);
        hits[0].ProductName = QStringLiteral("KEPT");
        QCOMPARE(FindItemsByTitle(t.db(), text, hits), titles != QStringList{"KEPT"});
        QStringList found;
        for (const ItemRec& hit : hits) {
            found << hit.ProductName;
            if (hit.ProductName != QLatin1String("KEPT"))
                QCOMPARE(hit.Status + ' ' + hit.CategoryID, QStringLiteral("Damaged V"));
        }
        QCOMPARE(found, titles);
        QVERIFY(t.messages.boxes.isEmpty());
    }

    void getItemsByProductAndByItem() {
        TestDb t;
        QVERIFY(product(t, "000001", "T") && item(t, "C00003", "000001") &&
                item(t, "A00001", "000001") && item(t, "B00002", "000001") &&
                item(t, "D00004", "000002"));
        const QList<ItemRec> copies = readItems(t, "000001", true);
        QCOMPARE(ids(copies), QStringList({"A00001", "B00002", "C00003"}));
        QVERIFY(!copies[0].Added && !copies[0].Changed && !copies[0].Deleted);
        const QList<ItemRec> one = readItems(t, "B00002");
        QCOMPARE(ids(one), QStringList{"B00002"});
        QCOMPARE(one[0].ProductID, QStringLiteral("000001"));
    }

    // A new copy has no statistics stored; they read as 0 and no date.
    // A damaged page met after the first copies fails the read instead of giving a short list.
    void damagedPageFailsTheRead() {
        TestDb t;
        QVERIFY(t.db().BeginTransaction());
        for (int i = 0; i < 400; ++i)
            QVERIFY(InsertItem(t.db(), newItem(QStringLiteral("A%1").arg(i, 5, 10, QChar('0')),
                                               QStringLiteral("P1"))));
        QVERIFY(t.db().CommitTransaction());
        const qint64 page = t.scalar("SELECT max(pageno) FROM dbstat "
                                     "WHERE name = 'Items' AND pagetype = 'leaf'")
                                .toLongLong();
        const qint64 size = t.scalar("PRAGMA page_size").toLongLong();
        QVERIFY(page > 3 && t.db().CloseDatabase());
        QFile file(t.dir.filePath(Connection::LiveFile));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek((page - 1) * size));
        QVERIFY(file.write(QByteArray(size, '\xff')) == size);
        file.close();
        QVERIFY(t.db().OpenDatabase());
        QVERIFY(readItems(t, "P1", true).isEmpty());
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(t.messages.boxes[0].text.contains(" was generated by GetItems\r"));
    }

    void insertItemLeavesStatisticsUnwritten() {
        TestDb t;
        const ItemRec rec = newItem("A00001", "000001");
        QVERIFY(InsertItem(t.db(), rec));
        QVERIFY(t.scalar("SELECT RentTimes IS NULL AND LastRentDate IS NULL FROM Items").toBool());
        const ItemRec read = readItems(t, "A00001").value(0);
        QCOMPARE(read.PurchaseDate, rec.PurchaseDate);
        QCOMPARE(read.UnitCost, rec.UnitCost);
        QCOMPARE(read.UnitPrice, rec.UnitPrice);
        QCOMPARE(read.InDate, rec.InDate);
        QCOMPARE(read.RentTimes, 0);
        QCOMPARE(read.LastRentDate, NoDate);
    }

    void updatesWriteOnlyTheirColumns_data() {
        QTest::addColumn<bool>("statusOnly");
        QTest::newRow("UpdateItem") << false;
        QTest::newRow("UpdateItemStatus") << true;
    }
    void updatesWriteOnlyTheirColumns() {
        QFETCH(bool, statusOnly);
        TestDb t;
        QVERIFY(InsertItem(t.db(), newItem("A00001", "000001")));
        QVERIFY(t.exec("UPDATE Items SET RentTimes = 5, LastRentDate = ?", {QDate(2003, 5, 6)}));
        ItemRec rec = newItem("A00001", "000009");
        rec.InDate = QDateTime(QDate(2010, 1, 1), QTime(0, 0));
        rec.ModDate = QDateTime(QDate(2004, 3, 9), QTime(8, 7, 6));
        rec.Status = QStringLiteral("3");
        rec.RentTimes = 99;
        rec.LastRentDate = QDate(2009, 9, 9);
        QVERIFY(statusOnly ? UpdateItemStatus(t.db(), rec) : UpdateItem(t.db(), rec));
        const ItemRec read = readItems(t, "A00001").value(0);
        QCOMPARE(read.Status, QStringLiteral("3"));
        QCOMPARE(read.ModDate, rec.ModDate);
        QCOMPARE(read.ProductID, statusOnly ? QStringLiteral("000001") : rec.ProductID);
        QCOMPARE(read.InDate, QDateTime(QDate(2004, 3, 1), QTime(9, 0)));
        QCOMPARE(read.RentTimes, 5);
        QCOMPARE(read.LastRentDate, QDate(2003, 5, 6));
    }

    void productRoundTrip() {
        TestDb t;
        ProductRec rec;
        rec.InDate = rec.ModDate = QDateTime(QDate(2004, 3, 1), QTime(9, 0));
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
        read.Items = {newItem("A00001", "000007")};
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

    // A title whose copies were ever rented or sold is refused whole; otherwise it goes with
    // all its copies.
    void deleteProduct_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("unused") << "" << QString();
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
        QVERIFY(product(t, "000001", "GONE") && product(t, "000002", "STAYS") &&
                item(t, "A00003", "000001") && item(t, "A00002", "000001") &&
                item(t, "B00001", "000002"));
        QVERIFY(reference.isEmpty() || t.exec(reference));
        QCOMPARE(DeleteProduct(t.db(), "000001"), refusal.isEmpty());
        QCOMPARE(t.messages.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(t.scalar("SELECT count(*) FROM Items").toLongLong(), refusal.isEmpty() ? 1 : 3);
        QCOMPARE(t.scalar("SELECT count(*) FROM Products").toLongLong(), refusal.isEmpty() ? 1 : 2);
    }

    // A rate code that products are filed under stays, and the refusal names the first of them.
    void deleteCategory_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("unused") << "D" << QString();
        QTest::newRow("in use") << "V"
                                << "Rate Code V is used by product 000001 (GONE), cannot delete!";
    }
    void deleteCategory() {
        QFETCH(QString, code);
        QFETCH(QString, refusal);
        TestDb t;
        QVERIFY(category(t, "D", "DVD") && product(t, "000002", "KEPT") &&
                product(t, "000001", "GONE"));
        QCOMPARE(DeleteCategory(t.db(), code), refusal.isEmpty());
        QCOMPARE(t.messages.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(t.scalar("SELECT count(*) FROM Category WHERE CategoryID = ?", {code}).toInt(),
                 refusal.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(Test_catalogue)
#include "tst_catalogue.moc"
