#include "TestClock.h"
#include "TestDb.h"
#include "customers.h"
#include "utility.h"

#include <QTest>

namespace {

const QDateTime Entered(QDate(2004, 1, 2), QTime(9, 30));

CustomerRec member(const QString& id, const QString& english, const QString& chinese,
                   const QString& hkid, const QString& active = QStringLiteral("Y")) {
    return {0,       Entered,
            Entered, id,
            active,  QDate(2004, 1, 2),
            hkid,    "Y",
            chinese, english,
            "M",     QDate(1980, 5, 6),
            "ADDR",  "P1",
            "P2",    "P3",
            "R1",    "R2",
            "TR",    "A",
            1,       2,
            3,       4,
            5,       QDate(2004, 3, 1)};
}

// Every column of the member but RAWID, as stored.
const QString Stored = "2004-01-02 09:30:00|2004-01-02 09:30:00|1001|Y|2004-01-02|A1|Y|陳|CHAN|M|"
                       "1980-05-06|ADDR|P1|P2|P3|R1|R2|TR|A|1|2|3|4|5|2004-03-01";

QString storedRow(TestDb& t) {
    return t.row("SELECT * FROM Customers").section('|', 1);
}

} // namespace

class Test_customers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findCustomerID_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("activeOnly");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, int kind, bool active, const QString& value,
                            const QStringList& expected) {
            QTest::newRow(name) << kind << active << value << expected;
        };
        row("number, active", 0, true, "1001", {"1001"});
        row("number, inactive left out", 0, true, "1002", {});
        row("number must match whole", 0, false, "100", {});
        row("english by name", 6, false, "CHAN", {"1002", "1001"});
        row("english active only", 6, true, "CHAN", {"1001"});
        row("chinese by name", 5, false, "陳", {"1001", "1002"});
        row("hkid by hkid", 4, false, "34", {"1001", "1002", "1003"});
        row("percent is a character", 6, false, "%", {"1003"});
        row("nothing", 6, false, "ZZZ", {});
        row("kind 1 is refused", 1, false, "1001", {});
        row("kind 7 is refused", 7, false, "1001", {});
    }
    void findCustomerID() {
        QFETCH(int, kind);
        QFETCH(bool, activeOnly);
        QFETCH(QString, value);
        QFETCH(QStringList, expected);
        TestDb t;
        for (CustomerRec rec : {member("1001", "CHAN TAI MAN", "陳大文", "A123456"),
                                member("1002", "CHAN SIU MING", "陳小明", "B234567", "N"),
                                member("1003", "WONG 100% PURE", "黃", "C345678"),
                                member("1004", "LEE_KA", "李", "D1")})
            QVERIFY(InsertCustomer(t.db(), rec));
        QList<CustomerRec> hits = {member("9", "UNTOUCHED", "", "")};
        QCOMPARE(FindCustomerID(t.db(), CustFindBy(kind), activeOnly, value, hits),
                 !expected.isEmpty());
        QStringList ids;
        for (const CustomerRec& rec : hits)
            ids << rec.CustomerID;
        QCOMPARE(ids, expected.isEmpty() ? QStringList{"9"} : expected);
        const bool refused = kind == 1 || kind == 7;
        QCOMPARE(t.messages.texts(), refused ? QStringList{"Debug: Error find type in "
                                                           "FindCustomerID()!"}
                                             : QStringList());
    }

    // Each column is written where it belongs and read back from there: a member read and
    // written back leaves the row as it was. A second member with the same number is refused.
    void everyColumnRoundTrips() {
        TestDb t;
        CustomerRec rec = member("1001", "CHAN", "陳", "A1");
        QVERIFY(InsertCustomer(t.db(), rec) && rec.RAWID > 0);
        QCOMPARE(storedRow(t), Stored);
        CustomerRec back;
        back.CustomerID = "1001";
        QVERIFY(GetCustomer(t.db(), back));
        QCOMPARE(back.RAWID, rec.RAWID);
        QCOMPARE(back.InDate, Entered);
        QCOMPARE(GetCustomerRawID(t.db(), back), QString::number(rec.RAWID));
        QVERIFY(UpdateCustomer(t.db(), back, true, true, TestClock(Entered)));
        QCOMPARE(storedRow(t), Stored);
        QVERIFY(t.messages.boxes.isEmpty());
        QVERIFY(!InsertCustomer(t.db(), rec));
        QCOMPARE(t.messages.boxes.size(), 1);
        QCOMPARE(t.scalar("SELECT count(*) FROM Customers").toInt(), 1);
    }

    // Columns left NULL read as empty text, no date, and NoDate for the last rental; a missing
    // member is no read.
    void nullColumnsReadBack() {
        TestDb t;
        QVERIFY(t.exec("INSERT INTO Customers (CustomerID) VALUES ('1001')"));
        CustomerRec rec;
        rec.CustomerID = "1001";
        QVERIFY(GetCustomer(t.db(), rec));
        QCOMPARE(rec.LastRentDate, NoDate);
        QVERIFY(rec.Phone2.isEmpty() && !rec.BirthDate.isValid());
        rec.CustomerID = "1002";
        QVERIFY(!GetCustomer(t.db(), rec));
        QCOMPARE(rec.CustomerID, QString("1002"));
        QCOMPARE(GetCustomerRawID(t.db(), rec), QString());
    }

    // The member number and the statistics are written only when their flag says so;
    // ModDate is always stamped and InDate never written.
    void updateWritesWhatItsFlagsAllow_data() {
        QTest::addColumn<bool>("writeCustomerID");
        QTest::addColumn<bool>("writeStats");
        QTest::addColumn<QString>("stored");
        QTest::newRow("neither") << false << false << "1001 A 54321 2004-03-01";
        QTest::newRow("number") << true << false << "2002 A 54321 2004-03-01";
        QTest::newRow("statistics") << false << true << "1001 B 99999 2004-03-09";
        QTest::newRow("both") << true << true << "2002 B 99999 2004-03-09";
    }
    void updateWritesWhatItsFlagsAllow() {
        QFETCH(bool, writeCustomerID);
        QFETCH(bool, writeStats);
        QFETCH(QString, stored);
        TestDb t;
        CustomerRec old = member("1001", "OLD", "", "A1");
        QVERIFY(InsertCustomer(t.db(), old));
        CustomerRec changed = member("2002", "NEW", "", "B2");
        changed.RAWID = old.RAWID;
        changed.InDate = QDateTime(QDate(2030, 3, 3), QTime(1, 2, 3));
        changed.TransRemarks = "NEW";
        changed.Class = "B";
        changed.RentTimes = changed.GoodTimes = changed.LateTimes = changed.BadTimes = 9;
        changed.BuyCount = 9;
        changed.LastRentDate = QDate(2004, 3, 9);
        const TestClock clock(QDateTime(QDate(2004, 3, 10), QTime(18, 40, 5)));
        QVERIFY(UpdateCustomer(t.db(), changed, writeCustomerID, writeStats, clock));
        QCOMPARE(changed.ModDate, clock.now());
        QCOMPARE(t.scalar("SELECT CustomerID || ' ' || Class || ' ' || (RentTimes + 10 * GoodTimes "
                          "+ 100 * LateTimes + 1000 * BadTimes + 10000 * BuyCount) || ' ' || "
                          "LastRentDate || ' ' || EnglishName || ' ' || TransRemarks || ' ' || "
                          "InDate || ' ' || ModDate FROM Customers")
                     .toString(),
                 stored + " NEW NEW 2004-01-02 09:30:00 2004-03-10 18:40:05");
    }

    void deleteRemovesOnlyThatRow() {
        TestDb t;
        CustomerRec a = member("1001", "A", "", ""), b = member("1002", "B", "", "");
        QVERIFY(InsertCustomer(t.db(), a) && InsertCustomer(t.db(), b));
        QVERIFY(DeleteCustomer(t.db(), a.RAWID));
        QCOMPARE(t.scalar("SELECT group_concat(CustomerID) FROM Customers").toString(), "1002");
    }
};

QTEST_GUILESS_MAIN(Test_customers)
#include "tst_customers.moc"
