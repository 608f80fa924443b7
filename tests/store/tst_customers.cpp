#include "TestClock.h"
#include "TestDb.h"
#include "customers.h"
#include "utility.h"

#include <QTest>

#include <tuple>

namespace {

CustomerRec member(const QString& id, const QString& english, const QString& chinese,
                   const QString& hkid, const QString& active = QStringLiteral("Y")) {
    CustomerRec rec;
    rec.InDate = rec.ModDate = QDateTime(QDate(2004, 1, 2), QTime(9, 30));
    rec.CustomerID = id;
    rec.Active = active;
    rec.JoinDate = QDate(2004, 1, 2);
    rec.HKID = hkid;
    rec.HKResident = QStringLiteral("Y");
    rec.ChineseName = chinese;
    rec.EnglishName = english;
    rec.Sex = QStringLiteral("M");
    rec.BirthDate = QDate(1980, 5, 6);
    rec.Class = QStringLiteral("A");
    rec.RentTimes = 7;
    rec.LastRentDate = NoDate;
    return rec;
}

QVariantList fields(const CustomerRec& r) {
    return {r.RAWID,        r.InDate,      r.ModDate,     r.CustomerID,  r.Active,    r.JoinDate,
            r.HKID,         r.HKResident,  r.ChineseName, r.EnglishName, r.Sex,       r.BirthDate,
            r.Address,      r.Phone1,      r.Phone2,      r.Phone3,      r.Remarks1,  r.Remarks2,
            r.TransRemarks, r.Class,       r.RentTimes,   r.GoodTimes,   r.LateTimes, r.BadTimes,
            r.BuyCount,     r.LastRentDate};
}

QStringList ids(const QList<CustomerRec>& hits) {
    QStringList out;
    for (const CustomerRec& rec : hits)
        out << rec.CustomerID;
    return out;
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
    }
    void findCustomerID() {
        QFETCH(int, kind);
        QFETCH(bool, activeOnly);
        QFETCH(QString, value);
        QFETCH(QStringList, expected);
        TestDb t;
        for (CustomerRec rec :
             {member("1001", "CHAN TAI MAN", "陳大文", "A123456"),
              member("1002", "CHAN SIU MING", "陳小明", "B234567", "N"),
              member("1003", "WONG 100% PURE", "黃", "C345678"),
              member("1004", "LEE_KA", "李", "D1"), member("1005", "O'BRIEN", "", "E1")})
            QVERIFY(InsertCustomer(t.db(), rec));
        QList<CustomerRec> hits = {member("9", "UNTOUCHED", "", "")};
        QCOMPARE(FindCustomerID(t.db(), CustFindBy(kind), activeOnly, value, hits),
                 !expected.isEmpty());
        QCOMPARE(ids(hits), expected.isEmpty() ? QStringList{"9"} : expected);
        QCOMPARE(t.messages.boxes.size(), 0);
    }

    void invalidKindIsRefused() {
        TestDb t;
        QList<CustomerRec> hits;
        for (int kind : {1, 7})
            QVERIFY(!FindCustomerID(t.db(), CustFindBy(kind), false, "1001", hits));
        QCOMPARE(t.messages.texts(), QStringList(2, "Debug: Error find type in FindCustomerID()!"));
        QCOMPARE(t.messages.boxes.first().title, QString());
    }

    // Columns left NULL read as empty text, no date, and NoDate for the last rental.
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
    }

    void insertThenGetRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophe") << "O'BRIEN";
        QTest::newRow("chinese") << QStringLiteral("陳大文");
        QTest::newRow("200 characters") << QString(200, QLatin1Char('X'));
    }
    void insertThenGetRoundTrip() {
        QFETCH(QString, text);
        TestDb t;
        CustomerRec rec = member("1001", text, text, text);
        rec.Address = rec.Remarks2 = rec.TransRemarks = text;
        rec.LastRentDate = QDate(2004, 3, 1);
        QVERIFY(InsertCustomer(t.db(), rec));
        QVERIFY(rec.RAWID > 0);
        QCOMPARE(GetCustomerRawID(t.db(), rec), QString::number(rec.RAWID));
        CustomerRec back = member("1001", "", "", "");
        QVERIFY(GetCustomer(t.db(), back));
        QCOMPARE(fields(back), fields(rec));
        QList<CustomerRec> hits;
        QVERIFY(FindCustomerID(t.db(), CustFindBy::EnglishName, true, text, hits));
        QCOMPARE(hits.size(), 1);
    }

    void duplicateNumberIsOneReport() {
        TestDb t;
        CustomerRec rec = member("1001", "A", "", "");
        QVERIFY(InsertCustomer(t.db(), rec));
        QVERIFY(!InsertCustomer(t.db(), rec));
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(t.messages.boxes.first().text.startsWith("Error # "));
        QCOMPARE(t.scalar("SELECT count(*) FROM Customers").toInt(), 1);
        QCOMPARE(GetCustomerRawID(t.db(), member("1002", "", "", "")), QString());
    }

    // The member number and the statistics are written only when their flag says so;
    // ModDate is always stamped and InDate never written.
    void updateWritesWhatItsFlagsAllow_data() {
        QTest::addColumn<bool>("writeCustomerID");
        QTest::addColumn<bool>("writeStats");
        QTest::newRow("neither") << false << false;
        QTest::newRow("number") << true << false;
        QTest::newRow("statistics") << false << true;
        QTest::newRow("both") << true << true;
    }
    void updateWritesWhatItsFlagsAllow() {
        QFETCH(bool, writeCustomerID);
        QFETCH(bool, writeStats);
        TestDb t;
        CustomerRec old = member("1001", "OLD", "", "A1");
        QVERIFY(InsertCustomer(t.db(), old));
        CustomerRec changed = member("2002", "NEW", QStringLiteral("新"), "B2", "N");
        changed.RAWID = old.RAWID;
        changed.InDate = QDateTime(QDate(2004, 3, 3), QTime(1, 2, 3));
        changed.Phone3 = changed.TransRemarks = "P'3";
        changed.Class = "B";
        changed.RentTimes = changed.GoodTimes = changed.LateTimes = changed.BadTimes = 40000;
        changed.BuyCount = 3;
        changed.LastRentDate = QDate(2004, 3, 9);
        const TestClock clock(QDateTime(QDate(2004, 3, 10), QTime(18, 40, 5)));
        QVERIFY(UpdateCustomer(t.db(), changed, writeCustomerID, writeStats, clock));
        QCOMPARE(changed.ModDate, clock.now());

        CustomerRec expected = changed;
        expected.InDate = old.InDate;
        if (!writeCustomerID)
            expected.CustomerID = old.CustomerID;
        const auto stats = [](CustomerRec& r) {
            return std::tie(r.Class, r.RentTimes, r.GoodTimes, r.LateTimes, r.BadTimes, r.BuyCount,
                            r.LastRentDate);
        };
        if (!writeStats)
            stats(expected) = stats(old);
        CustomerRec stored = member(expected.CustomerID, "", "", "");
        QVERIFY(GetCustomer(t.db(), stored));
        QCOMPARE(fields(stored), fields(expected));
    }

    void deleteRemovesOnlyThatRow() {
        TestDb t;
        CustomerRec a = member("1001", "A", "", ""), b = member("1002", "B", "", "");
        QVERIFY(InsertCustomer(t.db(), a) && InsertCustomer(t.db(), b));
        QVERIFY(DeleteCustomer(t.db(), a.RAWID));
        QVERIFY(!GetCustomer(t.db(), a));
        QVERIFY(GetCustomer(t.db(), b));
    }
};

QTEST_GUILESS_MAIN(Test_customers)
#include "tst_customers.moc"
