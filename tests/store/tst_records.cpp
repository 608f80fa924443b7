#include "Cases.h"
#include "Connection.h"
#include "TestClock.h"
#include "TestDb.h"
#include "adjustments.h"
#include "claims.h"
#include "customers.h"
#include "dbvalue.h"
#include "serials.h"
#include "shopinfo.h"
#include "utility.h"

#include <QTest>

#include <algorithm>
#include <latch>
#include <thread>

namespace {

// Member 1001 as stored, every column but RAWID: each value tells which column it is in.
const QString Stored = "2004-01-02 09:30:00|2004-02-03 10:00:00|1001|Y|2004-01-02|A1|Y|陳|CHAN|M|"
                       "1980-05-06|ADDR|P1|P2|P3|R1|R2|TR|A|1|2|3|4|5|2004-03-01";

// The stored member, read.
CustomerRec arrangeMember(TestDb& t) {
    CustomerRec rec;
    rec.CustomerID = QStringLiteral("1001");
    if (!t.insertRow(QStringLiteral("Customers"), "7|" + Stored) || !GetCustomer(t.db(), rec))
        rec.CustomerID.clear();
    return rec;
}

// Adjustments 000001 to 000003 as stored; the values of 000002 tell their columns apart.
bool arrangeAdjustments(TestDb& t) {
    const QString entered = QStringLiteral("2004-03-01 09:30:15|2004-03-01 10:00:00|");
    return t.insertRow("AcctAdjust", entered + "000001|SHOP RENT|-120000|||||") &&
           t.insertRow("AcctAdjust", "2004-03-01 09:30:15|2004-03-02 08:00:00|000002|"
                                     "RENT REFUND 50%|-5000|2004-02-29|13|2004-03-01|000777|R9") &&
           t.insertRow("AcctAdjust", entered + "000003|CURRENT_MONTH|10000|||||");
}

QString codesOf(const OpCodeRec& r) {
    return QStringList{r.AddItem,       r.FreeItem,         r.DeleteItem, r.EditItem, r.ReturnItem,
                       r.RenewItemCash, r.RenewItemArrears, r.BadItem,    r.SalesItem}
        .join(' ');
}

template <class Record>
QStringList ids(const QList<Record>& rows, QString Record::*key = &CustomerRec::CustomerID) {
    QStringList found;
    for (const Record& rec : rows)
        found << rec.*key;
    return found;
}

QString counters(TestDb& t) {
    return t.row("SELECT OrderIdx, OrderID, ProductID, AdjustID FROM SerialNo");
}

} // namespace

// The shop's own records: members, adjustments, number counters, op codes and its name.
class TestRecords : public QObject {
    Q_OBJECT

    // Members 1001 to 1003 and adjustments 000001 to 000003, arranged once for the searches.
    TestDb m_shop;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(
            m_shop.exec(
                "INSERT INTO Customers (CustomerID, Active, HKID, ChineseName, EnglishName) VALUES "
                "('1001', 'Y', 'A123456', '陳大文', 'CHAN TAI MAN'), "
                "('1002', 'N', 'B234567', '陳小明', 'CHAN SIU MING'), "
                "('1003', 'Y', 'C345678', '黃', 'WONG 100% PURE')") &&
            arrangeAdjustments(m_shop));
    }
    void init() { m_shop.messages.clear(); }

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
        QCOMPARE(FindCustomerID(m_shop.db(), CustFindBy(kind), activeOnly, value, hits),
                 !expected.isEmpty());
        QCOMPARE(ids(hits), expected.isEmpty() ? QStringList{"9"} : expected);
        QCOMPARE(m_shop.messages.texts().join(""),
                 kind == 1 ? "Debug: Error find type in FindCustomerID()!" : "");
    }

    // Through the name index a part of a name finds the same members in the same order as
    // reading every name does, which is how a file made before the index searches.
    void nameIndexFindsWhatReadingEveryNameFinds() {
        TestDb indexed, older;
        const QStringList drops =
            TestDb::onServer()
                ? QStringList{"INDEX Customers_Names"}
                : QStringList{"TRIGGER Customers_Names_Insert", "TRIGGER Customers_Names_Delete",
                              "TRIGGER Customers_Names_Update", "TABLE Customers_Names"};
        for (const QString& drop : drops)
            QVERIFY(older.exec("DROP " + drop));
        QVERIFY(older.db().CloseDatabase() && older.db().OpenDatabase());
        const QStringList names = {"O'BRIEN PAT", "WONG 100% PURE", "LEE_KA YAN", "MacDonald",
                                   "陳大文",      "陳小明",         "MACDONALD",  "WONG 100 PURE"};
        for (TestDb* t : {&indexed, &older})
            for (const QString& name : names)
                QVERIFY(t->exec("INSERT INTO Customers (CustomerID, Active, ChineseName, "
                                "EnglishName) VALUES (?, 'Y', ?, ?)",
                                {names.indexOf(name), name, name}));
        QStringList searched;
        indexed.db().setTrace(
            [&searched](const QString& sql, const QVariantList&) { searched << sql; });
        for (const char* part : {"O'B", "100%", "E_K", "CDON", "陳大文", "大文", "WONG 1", "XYZ"}) {
            QList<CustomerRec> hits[2];
            FindCustomerID(indexed.db(), CustFindBy::EnglishName, true, part, hits[0]);
            FindCustomerID(older.db(), CustFindBy::EnglishName, true, part, hits[1]);
            QCOMPARE(ids(hits[0]), ids(hits[1]));
            QCOMPARE(searched.takeLast().contains("MATCH"),
                     !TestDb::onServer() && QString(part).size() >= 3);
        }
    }

    // A member read and stored again under a new number, or written back, is stored as it was.
    // Columns left NULL read as empty text, no
    // date, and NoDate for the last rental; a missing member is no read. A delete takes only
    // its own row.
    void everyColumnRoundTrips() {
        TestDb t;
        CustomerRec rec = arrangeMember(t);
        QCOMPARE(rec.RAWID, qint64(7));
        QCOMPARE(GetCustomerRawID(t.db(), rec), QStringLiteral("7"));
        rec.CustomerID = QStringLiteral("1002");
        QVERIFY(InsertCustomer(t.db(), rec) && rec.RAWID != 7);
        const QString copy =
            QString::number(rec.RAWID) + "|" + QString(Stored).replace("1001", "1002");
        const QString read = "SELECT * FROM Customers WHERE CustomerID = '1002'";
        QCOMPARE(t.row(read), copy);
        QVERIFY(UpdateCustomer(t.db(), rec, true, true, TestClock(rec.ModDate)));
        QCOMPARE(t.row(read), copy);
        QVERIFY(t.messages.boxes.isEmpty());
        QVERIFY(t.exec("INSERT INTO Customers (CustomerID) VALUES ('1003')"));
        rec.CustomerID = "1003";
        QVERIFY(GetCustomer(t.db(), rec));
        QCOMPARE(rec.LastRentDate, NoDate);
        QVERIFY(rec.Phone2.isEmpty() && !rec.BirthDate.isValid());
        QVERIFY(DeleteCustomer(t.db(), rec.RAWID) && !GetCustomer(t.db(), rec));
        QCOMPARE(rec.CustomerID, QString("1003"));
        QCOMPARE(GetCustomerRawID(t.db(), rec), QString());
        QCOMPARE(t.joined("SELECT CustomerID FROM Customers ORDER BY CustomerID"), "1001,1002");
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
        CustomerRec rec = arrangeMember(t);
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

    // A search without a hit, or of an unknown kind, leaves the list as it was.
    void findAcctAdjust_data() {
        const Cases<int, QString, QStringList> add;
        add("by number", ByAdjustID, "000002", {"000002"});
        add("by description, ordered", ByDescription, "RENT", {"000003", "000002", "000001"});
        add("percent is literal", ByDescription, "%", {"000002"});
        add("no match", ByDescription, "NOTHING", {"KEPT"});
        add("unknown kind", -3, "", {"KEPT"});
    }
    void findAcctAdjust() {
        const auto [kind, value, found] = Cases<int, QString, QStringList>::fetch();
        QList<AcctAdjustRec> hits(1);
        hits[0].AdjustID = QStringLiteral("KEPT");
        QCOMPARE(FindAcctAdjust(m_shop.db(), AdjustFindBy(kind), value, hits),
                 found != QStringList{"KEPT"});
        QCOMPARE(ids(hits, &AcctAdjustRec::AdjustID), found);
        QCOMPARE(m_shop.messages.texts().join(""),
                 kind == -3 ? "debug: error in FindAcctAdjust!" : "");
    }

    // An adjustment read and stored again under a new number is stored as it was. An update
    // stamps ModDate and never writes InDate, and it and a delete take only their own row.
    void writesTouchOnlyTheirRow() {
        TestDb t;
        QList<AcctAdjustRec> hits;
        QVERIFY(arrangeAdjustments(t) && FindAcctAdjust(t.db(), ByAdjustID, "000002", hits));
        AcctAdjustRec rec = hits[0];
        rec.AdjustID = QStringLiteral("000004");
        QVERIFY(InsertAcctAdjust(t.db(), rec) && DeleteAcctAdjust(t.db(), hits[0]));
        const QString read = "SELECT AdjustID || ' ' || AdjustAmt || ' ' || InDate || ' ' || "
                             "ModDate FROM AcctAdjust WHERE AdjustID <> '000004' ORDER BY AdjustID";
        QCOMPARE(t.row("SELECT * FROM AcctAdjust WHERE AdjustID = '000004'"),
                 "2004-03-01 09:30:15|2004-03-02 08:00:00|000004|RENT REFUND 50%|-5000|"
                 "2004-02-29|13|2004-03-01|000777|R9");
        TestClock clock(QDateTime(QDate(2004, 3, 12), QTime(17, 5, 9)));
        rec.AdjustID = QStringLiteral("000003");
        rec.AdjustAmt = *Money::parse(QStringLiteral("-1,234.5"));
        rec.InDate = QDateTime(QDate(2030, 1, 1), QTime(0, 0));
        QVERIFY(UpdateAcctAdjust(t.db(), rec, clock));
        QCOMPARE(rec.ModDate, clock.now());
        QCOMPARE(t.joined(read), "000001 -120000 2004-03-01 09:30:15 2004-03-01 10:00:00,"
                                 "000003 -12345000 2004-03-01 09:30:15 2004-03-12 17:05:09");
        QVERIFY(t.messages.boxes.isEmpty());
    }

    // Numbers taken inside a transaction that is rolled back are handed out again.
    void handsOutStoredValueAndAdvances_data() {
        const Cases<QString, qint64, QString, QString> add;
        add("order 41", "OrderID", 41, "000041", "1|42|1|1");
        add("adjust seven digits", "AdjustID", 1234567, "1234567", "1|1|1|1234568");
    }
    void handsOutStoredValueAndAdvances() {
        const auto [name, stored, first, after] = Cases<QString, qint64, QString, QString>::fetch();
        TestDb t;
        QVERIFY(t.exec(QStringLiteral("UPDATE SerialNo SET %1 = ?").arg(name), {stored}));
        QVERIFY(t.db().BeginTransaction());
        QCOMPARE(GetSerialNo(t.db(), name), first);
        QCOMPARE(GetSerialNo(t.db(), name), FormatSerial(stored + 1));
        QVERIFY(t.db().RollbackTransaction());
        QCOMPARE(GetSerialNo(t.db(), name), first);
        QCOMPARE(counters(t), after);
        QVERIFY(t.messages.boxes.isEmpty());
    }

    // Two counters taking numbers at once, each in its own transaction, some rolled back: the
    // committed numbers are each handed out once, and with no gap, as a rolled-back number is
    // handed out again.
    void countersTakeTurns_data() {
        selfNamedRows({"OrderID", "OrderIdx", "ProductID", "AdjustID"});
    }
    void countersTakeTurns() {
        QFETCH(QString, row);
        const QString& column = row;
        TestDb t;
        QList<qint64> committed[2];
        std::latch open(2);
        const auto counter = [&t, &open, &column](QList<qint64>& taken, int turn) {
            ScriptedMessages messages;
            Connection db(messages, t.place());
            db.OpenDatabase();
            open.arrive_and_wait();
            for (int i = 0; db.isOpen() && i < 100; ++i) {
                TransactionGuard tx(db);
                const QString number = GetSerialNo(db, column);
                if ((i + turn) % 4 != 0 && tx.commit())
                    taken << number.toLongLong();
            }
        };
        std::thread first(counter, std::ref(committed[0]), 0);
        counter(committed[1], 1);
        first.join();
        QList<qint64> all = committed[0] + committed[1];
        std::sort(all.begin(), all.end());
        QCOMPARE(all.size(), 150);
        for (qsizetype i = 0; i < all.size(); ++i)
            QCOMPARE(all[i], i + 1);
    }

    // A form's save holds the row it edits only while the row is as the form read it: one
    // stored since at another counter, or deleted there, is refused and left as it is. Kind,
    // the row as "table key = value".
    void claimsOnlyTheRowAsRead_data() {
        const Cases<int, QString> add;
        add("member", int(Record::Customer), "Customers RAWID = 7");
        add("title", int(Record::Product), "Products ProductID = 000009");
        add("copy", int(Record::Item), "Items ItemID = A00001");
        add("rate code", int(Record::Category), "Category CategoryID = V");
    }
    void claimsOnlyTheRowAsRead() {
        const auto [kind, keyed] = Cases<int, QString>::fetch();
        const QString table = keyed.section(' ', 0, 0), column = keyed.section(' ', 1, 1);
        const QString key = keyed.section(" = ", 1);
        TestDb t;
        QVERIFY(!arrangeMember(t).CustomerID.isEmpty() &&
                t.exec("INSERT INTO Products (ProductID) VALUES ('000009')") &&
                t.exec("INSERT INTO Items (ItemID, ProductID, Status) VALUES "
                       "('A00001', '000009', '0')"));
        const QString stamp = QStringLiteral("UPDATE %1 SET ModDate = ? WHERE %2 = ?");
        const QDateTime read(QDate(2004, 2, 3), QTime(10, 0));
        const QVariant k = kind == int(Record::Customer) ? QVariant(7) : QVariant(key);
        QVERIFY(t.exec(stamp.arg(table, column), {"2004-02-03 10:00:01", k}));
        const auto claim = [&](const QVariant& row, const QDateTime& as) {
            return ClaimRecord(t.db(), Record(kind), row, as);
        };
        QVERIFY(t.db().BeginTransaction());
        QCOMPARE(claim(k, read), Claim::Changed);
        QCOMPARE(claim(kind == int(Record::Customer) ? QVariant(8) : QVariant("X"), read),
                 Claim::Changed);
        QCOMPARE(claim(k, read.addSecs(1)), Claim::Written);
        QVERIFY(t.db().CommitTransaction());
        QCOMPARE(
            readStamp(t.scalar(
                QStringLiteral("SELECT ModDate FROM %1 WHERE %2 = ?").arg(table, column), {k})),
            read.addSecs(1));
        QVERIFY(t.messages.boxes.isEmpty());
    }

    // A column that is no counter is a caller's mistake: it hands out no number, changes no
    // counter, and says so after the connection's report.
    void unknownCounterHandsOutNothing() {
        TestDb t;
        const QString before = counters(t);
        QCOMPARE(GetSerialNo(t.db(), "rowid"), QString());
        QCOMPARE(t.messages.boxes.size(), 2);
        QVERIFY(ScriptedMessages::isReport(t.messages.boxes[0], "GetSerialNo"));
        QCOMPARE(t.messages.boxes[1].text + t.messages.boxes[1].title,
                 "debug: Error in getting serial no [rowid]!");
        QCOMPARE(counters(t), before);
    }

    // A missing row leaves the record as it was.
    void getOpCodes() {
        TestDb t;
        OpCodeRec rec;
        QVERIFY(GetOpCodes(t.db(), rec));
        QCOMPARE(codesOf(rec), "A F D E R RR RR* B S");
        rec.AddItem = QStringLiteral("KEEP");
        QVERIFY(t.exec("UPDATE OpCode SET ID = '2'") && !GetOpCodes(t.db(), rec));
        QCOMPARE(codesOf(rec), "KEEP F D E R RR RR* B S");
        QVERIFY(t.messages.boxes.isEmpty());
    }

    void shopNameIsKeptInOneRow() {
        TestDb t;
        const QString name = QStringLiteral("飛嘉影視 O'NEIL");
        QCOMPARE(GetShopName(t.db()), QString());
        QVERIFY(SetShopName(t.db(), "OLD NAME") && SetShopName(t.db(), name));
        QCOMPARE(GetShopName(t.db()), name);
        QCOMPARE(t.scalar("SELECT count(*) FROM ShopInfo").toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
