#include "Cases.h"
#include "TestClock.h"
#include "TestDb.h"
#include "customers.h"
#include "utility.h"

#include <QTest>

namespace {

// Member 1001 as stored, every column but RAWID: each value tells which column it is in.
const QString Stored = "2004-01-02 09:30:00|2004-02-03 10:00:00|1001|Y|2004-01-02|A1|Y|陳|CHAN|M|"
                       "1980-05-06|ADDR|P1|P2|P3|R1|R2|TR|A|1|2|3|4|5|2004-03-01";

// The stored member, read.
CustomerRec arrange(TestDb& t) {
    CustomerRec rec;
    rec.CustomerID = QStringLiteral("1001");
    if (!t.insertRow(QStringLiteral("Customers"), "7|" + Stored) || !GetCustomer(t.db(), rec))
        rec.CustomerID.clear();
    return rec;
}

} // namespace

class Test_customers : public QObject {
    Q_OBJECT

    // Members 1001 to 1003, arranged once for the searches.
    TestDb m_members;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_members.exec(
            "INSERT INTO Customers (CustomerID, Active, HKID, ChineseName, EnglishName) VALUES "
            "('1001', 'Y', 'A123456', '陳大文', 'CHAN TAI MAN'), "
            "('1002', 'N', 'B234567', '陳小明', 'CHAN SIU MING'), "
            "('1003', 'Y', 'C345678', '黃', 'WONG 100% PURE')"));
    }
    void init() { m_members.messages.clear(); }

    void findCustomerID_data() {
        const Cases<int, bool, QString, QStringList> row;
        row("number, active", 0, true, "1001", {"1001"});
        row("number, inactive left out", 0, true, "1002", {});
        row("number must match whole", 0, false, "100", {});
        row("english by name", 6, false, "CHAN", {"1002", "1001"});
        row("chinese by name", 5, false, "陳", {"1001", "1002"});
        row("hkid by hkid", 4, false, "34", {"1001", "1002", "1003"});
        row("percent is a character", 6, false, "%", {"1003"});
        row("kind 1 is refused", 1, false, "1001", {});
    }
    void findCustomerID() {
        const auto [kind, activeOnly, value, expected] =
            Cases<int, bool, QString, QStringList>::fetch();
        QList<CustomerRec> hits(1);
        hits[0].CustomerID = QStringLiteral("9");
        QCOMPARE(FindCustomerID(m_members.db(), CustFindBy(kind), activeOnly, value, hits),
                 !expected.isEmpty());
        QStringList ids;
        for (const CustomerRec& rec : hits)
            ids << rec.CustomerID;
        QCOMPARE(ids, expected.isEmpty() ? QStringList{"9"} : expected);
        QCOMPARE(m_members.messages.texts().join(""),
                 kind == 1 ? "Debug: Error find type in FindCustomerID()!" : "");
    }

    // A member read and stored again under a new number, or written back, is stored as it was.
    // Columns left NULL read as empty text, no
    // date, and NoDate for the last rental; a missing member is no read. A delete takes only
    // its own row.
    void everyColumnRoundTrips() {
        TestDb t;
        CustomerRec rec = arrange(t);
        QCOMPARE(rec.RAWID, qint64(7));
        QCOMPARE(GetCustomerRawID(t.db(), rec), QStringLiteral("7"));
        rec.CustomerID = QStringLiteral("1002");
        QVERIFY(InsertCustomer(t.db(), rec));
        QCOMPARE(rec.RAWID, qint64(8));
        const QString copy = "8|" + QString(Stored).replace("1001", "1002");
        QCOMPARE(t.row("SELECT * FROM Customers WHERE RAWID = 8"), copy);
        QVERIFY(UpdateCustomer(t.db(), rec, true, true, TestClock(rec.ModDate)));
        QCOMPARE(t.row("SELECT * FROM Customers WHERE RAWID = 8"), copy);
        QVERIFY(t.messages.boxes.isEmpty());
        QVERIFY(t.exec("INSERT INTO Customers (CustomerID) VALUES ('1003')"));
        rec.CustomerID = "1003";
        QVERIFY(GetCustomer(t.db(), rec));
        QCOMPARE(rec.LastRentDate, NoDate);
        QVERIFY(rec.Phone2.isEmpty() && !rec.BirthDate.isValid());
        QVERIFY(DeleteCustomer(t.db(), rec.RAWID));
        QVERIFY(!GetCustomer(t.db(), rec));
        QCOMPARE(rec.CustomerID, QString("1003"));
        QCOMPARE(GetCustomerRawID(t.db(), rec), QString());
        QCOMPARE(t.scalar("SELECT group_concat(CustomerID) FROM Customers").toString(),
                 "1001,1002");
    }

    // The member number and the statistics are written only when their flag says so;
    // ModDate is always stamped and InDate never written.
    void updateWritesWhatItsFlagsAllow_data() {
        const Cases<bool, bool, QString> add;
        add("number", true, false, "2002 A 54321 2004-03-01");
        add("statistics", false, true, "1001 B 99999 2004-03-09");
    }
    void updateWritesWhatItsFlagsAllow() {
        const auto [writeCustomerID, writeStats, stored] = Cases<bool, bool, QString>::fetch();
        TestDb t;
        CustomerRec rec = arrange(t);
        rec.CustomerID = QStringLiteral("2002");
        rec.InDate = QDateTime(QDate(2030, 3, 3), QTime(1, 2, 3));
        rec.EnglishName = rec.TransRemarks = QStringLiteral("NEW");
        rec.Class = QStringLiteral("B");
        rec.RentTimes = rec.GoodTimes = rec.LateTimes = rec.BadTimes = rec.BuyCount = 9;
        rec.LastRentDate = QDate(2004, 3, 9);
        const TestClock clock(QDateTime(QDate(2004, 3, 10), QTime(18, 40, 5)));
        QVERIFY(UpdateCustomer(t.db(), rec, writeCustomerID, writeStats, clock));
        QCOMPARE(rec.ModDate, clock.now());
        QCOMPARE(t.scalar("SELECT CustomerID || ' ' || Class || ' ' || (RentTimes + 10 * GoodTimes "
                          "+ 100 * LateTimes + 1000 * BadTimes + 10000 * BuyCount) || ' ' || "
                          "LastRentDate || ' ' || EnglishName || ' ' || TransRemarks || ' ' || "
                          "InDate || ' ' || ModDate FROM Customers")
                     .toString(),
                 stored + " NEW NEW 2004-01-02 09:30:00 2004-03-10 18:40:05");
    }
};

QTEST_GUILESS_MAIN(Test_customers)
#include "tst_customers.moc"
