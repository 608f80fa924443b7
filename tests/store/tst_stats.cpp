#include "TestDb.h"
#include "catalogue.h"
#include "customers.h"
#include "shoprows.h"
#include "stats.h"

#include <QTest>

#include <memory>

using namespace shoprows;

namespace {

QDateTime at(int month, int day) {
    return QDateTime(QDate(2004, month, day), QTime(14, 30));
}

// Member 000001: a line still out (2 units), a returned line renewed once with a late charge,
// a bad line, a late charge owed on the open line, and two purchases. Member 000002 has
// nothing; member 000003 one line of a status nobody writes. Copy A00001 carries 4 units of
// charges of every kind, A00003 none.
bool arrangeShop(TestDb& t) {
    const QString paid = QStringLiteral("0"), late = QStringLiteral("1");
    const QString renew = QStringLiteral("2"), free = QStringLiteral("3");
    const QVariant amt = money("15.00");
    const QDate day(2004, 3, 1), out = NoDate;
    return inOne(t, [&] {
        return customer(t, "000001") && customer(t, "000002") && customer(t, "000003") &&
               product(t, "000001", "T") && item(t, "A00001", "000001") &&
               item(t, "A00002", "000001") && item(t, "A00003", "000001") &&
               item(t, "A00004", "000001") && order(t, "000010", "000001") &&
               order(t, "000011", "000001") && order(t, "000012", "000003") &&
               line(t, "000100", "000010", "A00001", "0", at(3, 1), out) &&
               charge(t, "000100", "000010", "A00001", paid, 2, amt, day) &&
               charge(t, "000100", "000010", "A00001", late, 1, amt, out) &&
               line(t, "000101", "000010", "A00002", "1", at(3, 5), QDate(2004, 3, 9)) &&
               charge(t, "000101", "000010", "A00002", paid, 1, amt, day) &&
               charge(t, "000101", "000010", "A00002", renew, 1, amt, day) &&
               charge(t, "000101", "000010", "A00002", late, 3, amt, day) &&
               line(t, "000102", "000011", "A00001", "2", at(2, 20), QDate(2004, 2, 25)) &&
               charge(t, "000102", "000011", "A00001", free, 1, amt, day) &&
               line(t, "000103", "000012", "A00004", "7", at(3, 7), out) &&
               charge(t, "000103", "000012", "A00004", paid, 1, amt, day) &&
               sale(t, day, "000001", 2, amt) && sale(t, day, "000001", 5, amt) &&
               sale(t, day, "000002x", 9, amt);
    });
}

} // namespace

class Test_stats : public QObject {
    Q_OBJECT

    // The shop, arranged once for the tests that only read it.
    std::unique_ptr<TestDb> m_shop;

private Q_SLOTS:
    void initTestCase() {
        m_shop = std::make_unique<TestDb>();
        QVERIFY(m_shop->ok() && arrangeShop(*m_shop));
    }
    void init() { m_shop->messages.clear(); }

    // Each figure is added to the stored one (10 each); lines of an unknown status are left
    // out and said so.
    void refreshAddsToStoredFigures_data() {
        QTest::addColumn<QString>("customerID");
        QTest::addColumn<QString>("figures"); // rent good late bad buy, last rental
        QTest::addColumn<QString>("messages");
        const QString unknown = QStringLiteral("debug : Error in CustStat RentStatus!");
        QTest::newRow("every kind of line")
            << "000001" << QString("15 12 14 11 17 2004-03-05") << "";
        QTest::newRow("member without visits")
            << "000002" << QString("10 10 10 10 10 2222-01-01") << "";
        QTest::newRow("unknown line status")
            << "000003" << QString("10 10 10 10 10 2004-03-07") << unknown;
    }
    void refreshAddsToStoredFigures() {
        QFETCH(QString, customerID);
        QFETCH(QString, figures);
        QFETCH(QString, messages);
        CustomerRec rec;
        rec.CustomerID = customerID;
        rec.RentTimes = rec.GoodTimes = rec.LateTimes = rec.BadTimes = rec.BuyCount = 10;
        rec.LastRentDate = NoDate;
        QVERIFY(RefreshCustStats(m_shop->db(), rec));
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 ")
                         .arg(rec.RentTimes)
                         .arg(rec.GoodTimes)
                         .arg(rec.LateTimes)
                         .arg(rec.BadTimes)
                         .arg(rec.BuyCount) +
                     rec.LastRentDate.toString(Qt::ISODate),
                 figures);
        QCOMPARE(m_shop->messages.texts().join(""), messages);
    }

    // Copies added by the program have no stored count: it reads as 0.
    void itemFigures_data() {
        QTest::addColumn<QString>("itemID");
        QTest::addColumn<qint64>("rentTimes");
        QTest::addColumn<QDate>("lastRent");
        QTest::newRow("every charge counts") << "A00001" << qint64(4) << QDate(2004, 3, 1);
        QTest::newRow("renewed and late") << "A00002" << qint64(5) << QDate(2004, 3, 5);
        QTest::newRow("never rented") << "A00003" << qint64(0) << NoDate;
    }
    void itemFigures() {
        QFETCH(QString, itemID);
        QFETCH(qint64, rentTimes);
        QFETCH(QDate, lastRent);
        QList<ItemRec> list(1);
        list[0].ItemID = itemID;
        QVERIFY(GetItems(m_shop->db(), list, false));
        QVERIFY(AddItemRentQty(m_shop->db(), list[0]) && GetItemLastRent(m_shop->db(), list[0]));
        QCOMPARE(list[0].RentTimes, rentTimes);
        QCOMPARE(list[0].LastRentDate, lastRent);
    }

    // Each work table holds every customer or item once, however often it is rebuilt; a
    // failed rebuild keeps the old rows.
    void rebuilds_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("totals");
        QTest::newRow("Cust_Temp") << "Cust_Temp" << QString("000001=9,000002=0,000003=1");
        QTest::newRow("Item_Temp") << "Item_Temp" << QString("A00001=4,A00002=5,A00003=0,A00004=1");
    }
    void rebuilds() {
        QFETCH(QString, table);
        QFETCH(QString, totals);
        TestDb t;
        QVERIFY(arrangeShop(t));
        const auto rebuild = table == "Cust_Temp" ? RebuildCustTemp : RebuildItemTemp;
        const QString read = QStringLiteral("SELECT group_concat(Id || '=' || TotalTimes) FROM "
                                            "(SELECT %2 AS Id, TotalTimes FROM %1 ORDER BY Id)")
                                 .arg(table, table == "Cust_Temp" ? "CustomerID" : "ItemID");
        for (int run = 0; run < 2; ++run) {
            QVERIFY(rebuild(t.db()));
            QCOMPARE(t.scalar(read).toString(), totals);
        }
        QVERIFY(t.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 "
                                      "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                           .arg(table)));
        QVERIFY(!rebuild(t.db()));
        QCOMPARE(t.messages.boxes.size(), 1);
        QCOMPARE(t.scalar(read).toString(), totals);
    }
};

QTEST_GUILESS_MAIN(Test_stats)
#include "tst_stats.moc"
