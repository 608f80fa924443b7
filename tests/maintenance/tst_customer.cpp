#include "TestClock.h"
#include "TestDb.h"
#include "customerentry.h"
#include "customers.h"
#include "customerstore.h"
#include "customervalidation.h"
#include "utility.h"

#include <QTest>

namespace {

// An entry that passes every check; rows override single boxes by name.
CustomerEntry validEntry() {
    CustomerEntry e;
    e.CustomerID = QStringLiteral("000123");
    e.Active = QStringLiteral("Y");
    e.JoinDate = QStringLiteral("05/12/2004");
    e.HKID = QStringLiteral("A1234567");
    e.HKResident = QStringLiteral("N");
    e.EnglishName = QStringLiteral("CHAN TAI MAN");
    e.Sex = QStringLiteral("F");
    e.BirthDate = BlankDateMask;
    return e;
}

void setBox(CustomerEntry& e, const QString& box, const QString& value) {
    static const QHash<QString, QString CustomerEntry::*> boxes = {
        {"CustomerID", &CustomerEntry::CustomerID}, {"Active", &CustomerEntry::Active},
        {"JoinDate", &CustomerEntry::JoinDate},     {"HKID", &CustomerEntry::HKID},
        {"HKResident", &CustomerEntry::HKResident}, {"Sex", &CustomerEntry::Sex},
        {"BirthDate", &CustomerEntry::BirthDate}};
    QVERIFY2(boxes.contains(box), qPrintable(box));
    e.*boxes.value(box) = value;
}

CustomerRec storedMember(const QString& id) {
    CustomerRec rec = NewCustomer(id, TestClock(QDateTime(QDate(2003, 6, 1), QTime(10, 0))));
    rec.InDate = rec.ModDate = QDateTime(QDate(2003, 6, 1), QTime(10, 0));
    rec.EnglishName = QStringLiteral("LEE SIU LUNG");
    rec.TransRemarks = QStringLiteral("PAYS LATE");
    rec.Class = QStringLiteral("A");
    rec.BuyCount = 4;
    return rec;
}

} // namespace

class Test_customerrules : public QObject {
    Q_OBJECT

private:
    // A test database holding members 000001 and 000002.
    struct Shop {
        Shop() {
            QVERIFY(t.ok());
            QVERIFY(InsertCustomer(t.db(), first));
            QVERIFY(InsertCustomer(t.db(), second));
        }
        bool order(const QString& customerID) {
            return t.exec(QStringLiteral("INSERT INTO Orders (OrderID, CustomerID) VALUES "
                                         "('000050', ?)"),
                          {customerID});
        }
        bool sale(const QString& customerID, qint64 quantity) {
            return t.exec(QStringLiteral("INSERT INTO Sales (RateID, CustomerID, Quantity) "
                                         "VALUES ('S00001', ?, ?)"),
                          {customerID, quantity});
        }
        CustomerMode load(const char* id, CustomerRec& rec) {
            return LoadCustomer(t.db(), clock, QString::fromLatin1(id), rec);
        }
        // The member stored under the number, or an empty record.
        CustomerRec stored(const char* id) {
            CustomerRec rec;
            rec.CustomerID = QString::fromLatin1(id);
            return GetCustomer(t.db(), rec) ? rec : CustomerRec();
        }
        TestDb t;
        TestClock clock;
        CustomerRec first = storedMember(QStringLiteral("000001"));
        CustomerRec second = storedMember(QStringLiteral("000002"));
    };

private Q_SLOTS:
    void checksInOrder_data() {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const QStringList& changes, const char* message) {
            QTest::newRow(name) << changes << QString::fromLatin1(message);
        };
        row("all pass", {}, "");
        row("empty identity number", {"HKID", ""}, "");
        row("identity before join date", {"HKID", "A 1", "JoinDate", BlankDateMask},
            "Identity Number error!");
        row("blank join date", {"JoinDate", BlankDateMask}, "Date of Join error!");
        row("leap day", {"JoinDate", "29/02/2004"}, "");
        row("join before birth", {"JoinDate", "31/02/2004", "BirthDate", "99/99/9999"},
            "Date of Join error!");
        row("blank birth date", {"BirthDate", BlankDateMask}, "");
        row("half a birth date", {"BirthDate", "05/12/    "}, "Date Of Birth error!");
        row("birth before residence", {"BirthDate", "32/01/1980", "HKResident", "X"},
            "Date Of Birth error!");
        row("residence before valid", {"HKResident", "X", "Active", "X"}, "Local Residence error!");
        row("valid X", {"Active", "X"}, "Valid Membership error!");
        row("valid before sex", {"Active", "", "Sex", "X"}, "Valid Membership error!");
        row("valid with blanks", {"Active", " N "}, "");
        row("sex X", {"Sex", "X"}, "Sex error!");
        row("sex before number", {"Sex", "", "CustomerID", "ABC"}, "Sex error!");
        row("number with letters", {"CustomerID", "12A"}, "Customer ID must be numeric!");
        row("empty number", {"CustomerID", "  "}, "Customer ID must be numeric!");
        row("number with blanks", {"CustomerID", " 000124 "}, "");
    }
    void checksInOrder() {
        QFETCH(QStringList, changes);
        QFETCH(QString, message);
        CustomerEntry entry = validEntry();
        for (qsizetype i = 0; i + 1 < changes.size(); i += 2)
            setBox(entry, changes[i], changes[i + 1]);
        QCOMPARE(CheckCustomerFields(entry), message);
    }

    void numberHeldByAnotherMember_data() {
        QTest::addColumn<bool>("editingFirst");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        const QString taken = QStringLiteral("Customer ID already exists!");
        QTest::newRow("new, free number") << false << QStringLiteral("000003") << QString();
        QTest::newRow("new, taken number") << false << QStringLiteral("000001") << taken;
        QTest::newRow("update, own number") << true << QStringLiteral("000001") << QString();
        QTest::newRow("update, other's number") << true << QStringLiteral("000002") << taken;
        QTest::newRow("update, other's with blanks") << true << QStringLiteral(" 000002 ") << taken;
    }
    void numberHeldByAnotherMember() {
        QFETCH(bool, editingFirst);
        QFETCH(QString, number);
        QFETCH(QString, message);
        Shop shop;
        CustomerEntry entry = validEntry();
        entry.CustomerID = number;
        QCOMPARE(ValidateCustomer(shop.t.db(), entry, editingFirst ? shop.first.RAWID : 0),
                 message);
    }

    void transactionRecords_data() {
        QTest::addColumn<QString>("orderOf");
        QTest::addColumn<QString>("saleOf");
        QTest::addColumn<bool>("has");
        QTest::newRow("none") << QString() << QString() << false;
        QTest::newRow("an order") << QStringLiteral("000001") << QString() << true;
        QTest::newRow("only a sale") << QString() << QStringLiteral("000001") << true;
        QTest::newRow("another member's")
            << QStringLiteral("000002") << QStringLiteral("000002") << false;
    }
    void transactionRecords() {
        QFETCH(QString, orderOf);
        QFETCH(QString, saleOf);
        QFETCH(bool, has);
        Shop shop;
        QVERIFY(orderOf.isEmpty() || shop.order(orderOf));
        QVERIFY(saleOf.isEmpty() || shop.sale(saleOf, 1));
        QCOMPARE(HasTransactionRecords(shop.t.db(), shop.first), has);
        CustomerRec rec;
        const CustomerMode mode = shop.load("000001", rec);
        QVERIFY(!mode.IsNew);
        QCOMPARE(mode.IdEditable, !has);
    }

    void newMemberSaved() {
        Shop shop;
        CustomerRec rec;
        const CustomerMode mode = shop.load("000123", rec);
        CustomerEntry entry = EntryFromRecord(rec);
        entry.EnglishName = QStringLiteral("CHAN TAI MAN ");
        shop.clock.advanceDays(1);
        QVERIFY(SaveCustomer(shop.t.db(), shop.clock, mode, entry, rec));
        QVERIFY(rec.RAWID > 0);
        const CustomerRec stored = shop.stored("000123");
        QCOMPARE(stored.RAWID, rec.RAWID);
        QCOMPARE(stored.EnglishName, QStringLiteral("CHAN TAI MAN"));
        QCOMPARE(stored.JoinDate, QDate(2004, 3, 10));
        QCOMPARE(stored.BirthDate, NoDate);
        QCOMPARE(stored.InDate, shop.clock.now());
        QCOMPARE(stored.ModDate, shop.clock.now());
    }

    // A number that a sale refers to stays; a free one changes. Either way only what the clerk
    // may change is written, and ModDate is stamped.
    void updateKeepsBaseFiguresAndStampsModDate_data() {
        QTest::addColumn<bool>("sold");
        QTest::addColumn<QString>("storedAs");
        QTest::newRow("number in use") << true << "000001";
        QTest::newRow("free number") << false << "000009";
    }
    void updateKeepsBaseFiguresAndStampsModDate() {
        QFETCH(bool, sold);
        QFETCH(QString, storedAs);
        Shop shop;
        QVERIFY(!sold || shop.sale(QStringLiteral("000001"), 3));
        CustomerRec rec;
        CustomerMode mode = shop.load("000001", rec);
        QCOMPARE(rec.BuyCount, qint64(sold ? 7 : 4));
        CustomerEntry entry = EntryFromRecord(rec);
        entry.CustomerID = QStringLiteral("000009");
        entry.Address = QStringLiteral("1 NATHAN ROAD");
        QVERIFY(SaveCustomer(shop.t.db(), shop.clock, mode, entry, rec));
        const CustomerRec stored = shop.stored(qPrintable(storedAs));
        QCOMPARE(stored.RAWID, shop.first.RAWID);
        QCOMPARE(shop.stored(sold ? "000009" : "000001").RAWID, qint64(0));
        QCOMPARE(stored.Address, QStringLiteral("1 NATHAN ROAD"));
        QCOMPARE(stored.BuyCount, qint64(4));
        QCOMPARE(stored.Class, QStringLiteral("A"));
        QCOMPARE(stored.TransRemarks, QStringLiteral("PAYS LATE"));
        QCOMPARE(stored.InDate, shop.first.InDate);
        QCOMPARE(stored.ModDate, shop.clock.now());
    }

    void refusedSaveWritesNothing() {
        Shop shop;
        CustomerRec rec;
        const CustomerMode mode = shop.load("000123", rec);
        CustomerEntry entry = EntryFromRecord(rec);
        // Past the checks, the database's own rule on member numbers still holds.
        entry.CustomerID = QStringLiteral("000002");
        entry.EnglishName = QStringLiteral("NEW NAME");
        QVERIFY(!SaveCustomer(shop.t.db(), shop.clock, mode, entry, rec));
        QCOMPARE(rec.RAWID, qint64(0));
        QCOMPARE(rec.CustomerID, QStringLiteral("000123"));
        QCOMPARE(shop.t.scalar(QStringLiteral("SELECT count(*) FROM Customers")).toInt(), 2);
        QCOMPARE(shop.t.messages.boxes.size(), 1);
        QCOMPARE(shop.t.messages.boxes[0].title, QStringLiteral("Error"));
        // The transaction is over: the next save goes through.
        entry.CustomerID = QStringLiteral("000123");
        QVERIFY(SaveCustomer(shop.t.db(), shop.clock, mode, entry, rec));
    }
};

QTEST_GUILESS_MAIN(Test_customerrules)
#include "tst_customerrules.moc"
