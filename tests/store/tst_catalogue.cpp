#include "Cases.h"
#include "TestDb.h"
#include "catalogue.h"
#include "shoprows.h"

#include <QFile>
#include <QTest>

using namespace shoprows;

namespace {

const QString Entered = QStringLiteral("2004-03-01 09:00:00");

// The copies `GetItems` reads for a product (byProduct) or an item.
QList<ItemRec> readItems(TestDb& t, const QString& id, bool byProduct = false) {
    QList<ItemRec> list(1);
    (byProduct ? list[0].ProductID : list[0].ItemID) = id;
    return GetItems(t.db(), list, byProduct) ? list : QList<ItemRec>();
}

// Categories DVD (D) and BLU-RAY (Z) beside the seeded VIDEO (V); copy A00001 of TITANIC,
// C00001 of GONE in a category not on file; one damaged copy
// of each title searched for, and one of a status with no name.
bool arrangeCatalogue(TestDb& t) {
    const QStringList titles = {"LOVE", "I LOVE LUCY", "GLOVES", "100% LOVE",     "AXB",
                                "A_B",  "C\\D",        "CXD",    "NO STATUS LOVE"};
    return inOne(t, [&] {
        bool ok = category(t, "D", "DVD") && category(t, "Z", "BLU-RAY") &&
                  product(t, "000001", "TITANIC") && item(t, "A00001", "000001", "1") &&
                  product(t, "000002", "GONE", "X") && item(t, "C00001", "000002");
        for (qsizetype i = 0; i < titles.size(); ++i) {
            const QString pid = QString::number(i + 1);
            ok = ok && product(t, pid, titles[i]) &&
                 item(t, "A" + pid, pid, titles[i].startsWith("NO STATUS") ? "9" : "2");
        }
        return ok;
    });
}

// What a write is given: the table, the number it writes under, and the row it leaves.
using Writes = Cases<QString, QString, QString>;

} // namespace

class Test_catalogue : public QObject {
    Q_OBJECT

    // The catalogue, arranged once for the tests that only read it.
    TestDb m_shop;

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_shop.ok() && arrangeCatalogue(m_shop)); }

    // A copy that cannot be rated leaves the record as it was.
    void getItemRate_data() {
        const Cases<QString, QString> add;
        add("found", "A00001", "A00001 0 1 V TITANIC 15.00 3 10.00");
        add("no such item", "Z99999", "KEPT 7 9 K K 0.00 9 0.00");
        add("category missing", "C00001", "KEPT 7 9 K K 0.00 9 0.00");
    }
    void getItemRate() {
        const auto [itemID, rate] = Cases<QString, QString>::fetch();
        ItemRateRec rec;
        rec.ItemID = QStringLiteral("KEPT");
        rec.Status = QStringLiteral("9");
        rec.CategoryID = rec.ProductName = QStringLiteral("K");
        rec.Quantity = 7;
        rec.RentUnitDays = 9;
        QCOMPARE(GetItemRate(m_shop.db(), rec, itemID), rate.startsWith(itemID));
        QVERIFY(m_shop.messages.boxes.isEmpty());
        QCOMPARE(QStringList({rec.ItemID, QString::number(rec.Quantity), rec.Status, rec.CategoryID,
                              rec.ProductName, rec.RentUnitRate.format(),
                              QString::number(rec.RentUnitDays), rec.OverDueRate.format()})
                     .join(' '),
                 rate);
    }

    // All ordered by description, or the one asked for; none leaves the list as it was.
    void getCategories() {
        QList<CategoryRec> list;
        QVERIFY(GetCategories(m_shop.db(), list, true));
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[0].Description + list[1].Description + list[2].Description,
                 QStringLiteral("BLU-RAYDVDVIDEO"));
        list = {list[1]};
        QVERIFY(GetCategories(m_shop.db(), list, false));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].RentUnitDays, 2);
        TestDb none(false);
        QVERIFY(!GetCategories(none.db(), list, true));
        QCOMPARE(list[0].Description, QStringLiteral("DVD"));
    }

    // A copy whose status has no name is not listed; no hit leaves the list as it was.
    void findItemsByTitle_data() {
        const Cases<QString, QStringList> add;
        add("contains", "LOVE", {"100% LOVE", "GLOVES", "I LOVE LUCY", "LOVE"});
        add("percent is literal", "%", {"100% LOVE"});
        add("underscore is literal", "_", {"A_B"});
        add("backslash is literal", "C\\D", {"C\\D"});
        add("nothing", "NOTHING", {"KEPT"});
    }
    void findItemsByTitle() {
        const auto [text, titles] = Cases<QString, QStringList>::fetch();
        QList<ItemRec> hits(1);
        hits[0].ProductName = QStringLiteral("KEPT");
        QCOMPARE(FindItemsByTitle(m_shop.db(), text, hits), titles != QStringList{"KEPT"});
        QStringList found;
        for (const ItemRec& hit : hits)
            found << hit.ProductName;
        if (found != QStringList{"KEPT"})
            QCOMPARE(hits[0].Status + ' ' + hits[0].CategoryID, QStringLiteral("Damaged V"));
        QCOMPARE(found, titles);
    }

    // A copy or a title read, changed and written again. InsertItem stores no statistics,
    // neither copy update writes InDate or the statistics, and the status update writes nothing
    // but the status; a title is stored as it was, and its update writes all but InDate.
    void writes_data() {
        const Writes add;
        const QString stamps = Entered + "|2004-03-09 08:07:06|";
        const QString title = "|V|S|Q|QD|123456700|10000|3|4|5|N|R";
        add("InsertItem", "Items", "A00002",
            "2010-01-01 00:00:00|2004-03-09 08:07:06|A00002|2004-02-29|"
            "000009|12505000|999000|||3");
        add("UpdateItem", "Items", "A00001",
            stamps + "A00001|2004-02-29|000009|12505000|999000|5|2003-05-06|3");
        add("UpdateItemStatus", "Items", "A00001",
            stamps + "A00001|2004-02-29|000007|12505000|999000|5|2003-05-06|3");
        add("InsertProduct", "Products", "000008",
            "2010-01-01 00:00:00|2004-03-09 08:07:06|000008|RENAMED" + title);
        add("UpdateProduct", "Products", "000007", stamps + "000007|RENAMED" + title);
    }
    void writes() {
        const auto [table, id, stored] = Writes::fetch();
        TestDb t;
        QVERIFY(
            t.insertRow("Items", Entered + '|' + Entered +
                                     "|A00001|2004-02-29|000007|12505000|999000|5|2003-05-06|0"));
        QVERIFY(t.insertRow("Products", Entered + '|' + Entered +
                                            "|000007|O'BRIEN|V|S|Q|QD|123456700|10000|3|4|5|N|R"));
        ItemRec copy = readItems(t, "A00001").value(0);
        ProductRec title;
        title.Items = {copy};
        QVERIFY(GetProduct(t.db(), title));
        ProductRec missing = title;
        missing.Items[0].ProductID = QStringLiteral("000404");
        QVERIFY(!GetProduct(t.db(), missing) && missing.ProductID == "000007");
        QCOMPARE(copy.InDate, QDateTime(QDate(2004, 3, 1), QTime(9, 0)));
        copy.InDate = title.InDate = QDateTime(QDate(2010, 1, 1), QTime(0, 0));
        copy.ModDate = title.ModDate = QDateTime(QDate(2004, 3, 9), QTime(8, 7, 6));
        copy.ProductID = QStringLiteral("000009");
        copy.RentTimes = 99;
        copy.LastRentDate = QDate(2009, 9, 9);
        copy.Status = QStringLiteral("3");
        title.ProductName = QStringLiteral("RENAMED");
        (table == "Items" ? copy.ItemID : title.ProductID) = id;
        const QMap<QString, std::function<bool()>> write = {
            {"InsertItem", [&] { return InsertItem(t.db(), copy); }},
            {"UpdateItem", [&] { return UpdateItem(t.db(), copy); }},
            {"UpdateItemStatus", [&] { return UpdateItemStatus(t.db(), copy); }},
            {"InsertProduct", [&] { return InsertProduct(t.db(), title); }},
            {"UpdateProduct", [&] { return UpdateProduct(t.db(), title); }}};
        QVERIFY(write[QTest::currentDataTag()]());
        // The row written is the one stamped last.
        QCOMPARE(t.row("SELECT * FROM " + table + " ORDER BY ModDate DESC NULLS LAST"), stored);
    }

    // A damaged page met after the first copies fails the read instead of giving a short list.
    void damagedPageFailsTheRead() {
        if (TestDb::onServer())
            QSKIP("a damaged page is a file's fault");
        TestDb t;
        QVERIFY(
            t.exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 399) "
                   "INSERT INTO Items (ItemID, ProductID) SELECT printf('A%05d', i), 'P1' FROM n"));
        const qint64 page = t.scalar("SELECT max(pageno) FROM dbstat "
                                     "WHERE name = 'Items' AND pagetype = 'leaf'")
                                .toLongLong();
        const qint64 size = t.scalar("PRAGMA page_size").toLongLong();
        QCOMPARE(readItems(t, "P1", true).size(), 400);
        QVERIFY(page > 3 && t.db().CloseDatabase());
        QFile file(t.dir.filePath(Connection::LiveFile));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek((page - 1) * size));
        QVERIFY(file.write(QByteArray(size, '\xff')) == size);
        file.close();
        QVERIFY(t.db().OpenDatabase() && readItems(t, "P1", true).isEmpty());
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(ScriptedMessages::isReport(t.messages.boxes[0], "GetItems"));
    }

    // A title whose copies were ever rented or sold is refused whole, otherwise it goes with
    // all its copies; a rate code that titles are filed under stays, and the refusal names the
    // first of them. `left` counts the copies, titles and rate codes left.
    void deletes_data() {
        const Cases<QString, QString, QString, QString> add;
        const QString used = QStringLiteral("Item %1 has transaction records, cannot delete!");
        add("unused title", "000001", "", "", "1 1 2");
        add("title with an order line", "000001",
            "INSERT INTO Order_Details (OrderIdx, ItemID) VALUES ('000001', 'A00002')",
            used.arg("A00002"), "3 2 2");
        add("title with a sale", "000001", "INSERT INTO Sales (RateID) VALUES ('A00003')",
            used.arg("A00003"), "3 2 2");
        add("unused rate code", "D", "", "", "3 2 1");
        add("rate code in use", "V", "",
            "Rate Code V is used by product 000001 (GONE), cannot delete!", "3 2 2");
    }
    void deletes() {
        const auto [key, reference, refusal, left] =
            Cases<QString, QString, QString, QString>::fetch();
        TestDb t;
        QVERIFY(category(t, "D", "DVD") && product(t, "000002", "STAYS") &&
                product(t, "000001", "GONE") && item(t, "A00003", "000001") &&
                item(t, "A00002", "000001") && item(t, "B00001", "000002"));
        QVERIFY(reference.isEmpty() || t.exec(reference));
        QCOMPARE(key.size() == 1 ? DeleteCategory(t.db(), key) : DeleteProduct(t.db(), key),
                 refusal.isEmpty());
        QCOMPARE(t.messages.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(t.scalar("SELECT (SELECT count(*) FROM Items) || ' ' || (SELECT count(*) FROM "
                          "Products) || ' ' || (SELECT count(*) FROM Category)")
                     .toString(),
                 left);
    }
};

QTEST_GUILESS_MAIN(Test_catalogue)
#include "tst_catalogue.moc"
