#include "CreatedFile.h"
#include "TestDb.h"
#include "demo.h"

#include <QSqlRecord>
#include <QTest>

namespace {

const QDate LeapDay(2024, 2, 29);
const QDate NewYear(2023, 1, 3);

WorkingFileSpec demoSpec(const QDate& today) {
    return WorkingFileSpec{QDateTime(today, QTime(8, 0)), QStringLiteral("DEMO"),
                           [today](Connection& db) { return addDemoShop(db, today); }};
}

// Every row of every table as text, sorted, so two files can be compared whole.
QStringList dump(Connection& db) {
    QStringList tables, lines;
    auto names = db.run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), {},
                        QStringLiteral("test"));
    while (names && names->next())
        tables << names->value(0).toString();
    for (const QString& table : tables) {
        auto q = db.run(QStringLiteral("SELECT * FROM ") + table, {}, QStringLiteral("test"));
        while (q && q->next()) {
            QStringList values{table};
            for (int i = 0; i < q->record().count(); ++i)
                values << q->value(i).toString();
            lines << values.join(QLatin1Char('|'));
        }
    }
    lines.sort();
    return lines;
}

bool hasChineseScript(const QString& s) {
    return std::any_of(s.begin(), s.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

} // namespace

class Test_demo : public QObject {
    Q_OBJECT

    std::unique_ptr<CreatedFile> m_leap;
    std::unique_ptr<CreatedFile> m_newYear;

    CreatedFile& shop(const QString& name) { return name == "leap" ? *m_leap : *m_newYear; }
    static QDate today(const QString& name) { return name == "leap" ? LeapDay : NewYear; }

private slots:
    void initTestCase() {
        m_leap = std::make_unique<CreatedFile>(demoSpec(LeapDay));
        m_newYear = std::make_unique<CreatedFile>(demoSpec(NewYear));
        for (CreatedFile* f : {m_leap.get(), m_newYear.get()}) {
            QVERIFY2(f->created, qPrintable(f->error));
            QVERIFY(f->opened);
            QVERIFY(f->messages.boxes.isEmpty());
        }
    }

    // Each query counts rows; a "?" stands for the shop's reference date.
    void hasThePromisedShape_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("least");
        QTest::addColumn<qint64>("most");
        const QList<RowCheck> checks = {
            {"members", "SELECT count(*) FROM Customers", 55, 65},
            {"inactive", "SELECT count(*) FROM Customers WHERE Active = 'N'", 1, 10},
            {"under 18", "SELECT count(*) FROM Customers WHERE BirthDate > date(?, '-18 years')", 1,
             10},
            {"visitors", "SELECT count(*) FROM Customers WHERE HKResident = 'N'", 1, 10},
            {"categories", "SELECT count(*) FROM Category", 4, 12},
            {"short rental units",
             "SELECT count(*) FROM Category WHERE RentUnitDays NOT BETWEEN 1 AND 7", 0, 0},
            {"titles", "SELECT count(DISTINCT ProductID) FROM Items WHERE Status <> '4'", 35, 45},
            {"copies", "SELECT count(*) FROM Items WHERE Status <> '4'", 100, 140},
            {"damaged", "SELECT count(*) FROM Items WHERE Status = '2'", 1, 10},
            {"sold", "SELECT count(*) FROM Items WHERE Status = '3'", 1, 10},
            {"rate codes", "SELECT count(*) FROM Items WHERE Status = '4'", 1, 10},
            {"rate codes not S",
             "SELECT count(*) FROM Items WHERE Status = '4' AND "
             "substr(ItemID, 1, 1) <> 'S'",
             0, 0},
            {"S copies",
             "SELECT count(*) FROM Items WHERE Status <> '4' AND "
             "substr(ItemID, 1, 1) = 'S'",
             0, 0},
            {"rate codes in a bundle",
             "SELECT count(*) FROM Items i JOIN Products p USING (ProductID) JOIN Category c "
             "USING (CategoryID) WHERE i.Status = '4' AND c.UnitPrice > 0 AND c.PromoteQty > 0",
             1, 10},
            {"overdue out",
             "SELECT count(*) FROM Order_Details d JOIN Items i USING (ItemID) "
             "WHERE d.RentStatus = '0' AND d.EndDate < ? AND i.Status = '1'",
             1, 40},
            {"arrears renewals",
             "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND PayStatus = 'N' AND "
             "PayDate = '2222-01-01' AND SettleDate <> '2222-01-01'",
             1, 20},
            {"cash renewals",
             "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND "
             "PayStatus = 'Y'",
             1, 200},
            {"late charges", "SELECT count(*) FROM Order_Payment WHERE PayType = '1'", 1, 300},
            {"free rentals",
             "SELECT count(*) FROM Order_Payment WHERE PayType = '3' AND "
             "Discount = 1 AND ChargeAmt = 0",
             1, 100},
            {"sales", "SELECT count(*) FROM Sales", 1, 300},
            {"credits", "SELECT count(*) FROM AcctAdjust WHERE AdjustAmt > 0", 1, 10},
            {"debits", "SELECT count(*) FROM AcctAdjust WHERE AdjustAmt < 0", 1, 10},
            {"renewal numbers",
             "SELECT count(*) FROM Order_Payment WHERE PayType = '2' AND "
             "RenewIndex < 1",
             0, 0},
            {"return dates",
             "SELECT count(*) FROM Order_Details WHERE RentStatus = '1' AND "
             "(ReturnDate > ? OR ReturnDate < substr(InitDate, 1, 10))",
             0, 0},
            {"open lines dated",
             "SELECT count(*) FROM Order_Details WHERE RentStatus = '0' AND "
             "ReturnDate <> '2222-01-01'",
             0, 0},
            {"paid later than today",
             "SELECT count(*) FROM Order_Payment WHERE PayDate > ? AND "
             "PayDate <> '2222-01-01'",
             0, 0},
            {"inactive served",
             "SELECT (SELECT count(*) FROM Orders o JOIN Customers c USING (CustomerID) WHERE "
             "c.Active <> 'Y') + (SELECT count(*) FROM Sales s JOIN Customers c USING "
             "(CustomerID) WHERE c.Active <> 'Y')",
             0, 0},

        };
        for (const RowCheck& c : checks + TradeInvariants) {
            for (const char* name : {"leap", "new year"}) {
                QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(name, c.what)))
                    << QString::fromLatin1(name) << QString::fromLatin1(c.sql) << c.least << c.most;
            }
        }
    }
    void hasThePromisedShape() {
        QFETCH(QString, name);
        QFETCH(QString, sql);
        QFETCH(qint64, least);
        QFETCH(qint64, most);
        QVariantList values;
        for (int i = 0; i < sql.count(QLatin1Char('?')); ++i)
            values << today(name);
        const qint64 n = shop(name).count(sql, values);
        QVERIFY2(n >= least && n <= most, qPrintable(QString::number(n)));
    }

    void countersEndPastEveryNumber_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("table");
        const char* const counters[][2] = {{"OrderID", "Orders"},
                                           {"OrderIdx", "Order_Details"},
                                           {"ProductID", "Products"},
                                           {"AdjustID", "AcctAdjust"}};
        for (const auto& c : counters) {
            for (const char* name : {"leap", "new year"})
                QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(name, c[0])))
                    << QString::fromLatin1(name) << c[0] << c[1];
        }
    }
    void countersEndPastEveryNumber() {
        QFETCH(QString, name);
        QFETCH(QString, counter);
        QFETCH(QString, table);
        CreatedFile& f = shop(name);
        const qint64 next = f.count(QStringLiteral("SELECT %1 FROM SerialNo").arg(counter));
        const qint64 highest =
            f.count(QStringLiteral("SELECT max(CAST(%1 AS INTEGER)) FROM %2").arg(counter, table));
        QVERIFY(highest > 0);
        QCOMPARE(next, highest + 1);
    }

    void namesMembersInChineseScript() {
        auto q = m_leap->db->run(QStringLiteral("SELECT ChineseName FROM Customers"), {},
                                 QStringLiteral("test"));
        int chinese = 0, rows = 0;
        while (q && q->next()) {
            ++rows;
            chinese += hasChineseScript(q->value(0).toString());
        }
        QVERIFY(chinese >= rows - 5);
    }

    void sameDateGivesTheSameShop() {
        CreatedFile again(demoSpec(LeapDay));
        QVERIFY(again.opened);
        QCOMPARE(dump(*again.db), dump(*m_leap->db));
    }

    void writesAllOrNothing() {
        TestDb t;
        QVERIFY(t.ok());
        QVERIFY(t.exec(QStringLiteral("UPDATE SerialNo SET AdjustID = NULL")));
        QVERIFY(!addDemoShop(t.db(), LeapDay));
        for (const char* table : {"Customers", "Products", "Items", "Orders", "Sales"})
            QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(), 0);
        QCOMPARE(t.scalar(QStringLiteral("SELECT OrderID FROM SerialNo")).toInt(), 1);
        QVERIFY(t.messages.texts().contains(QStringLiteral("debug: Error in getting serial no "
                                                           "[AdjustID]!")));
    }
};

QTEST_GUILESS_MAIN(Test_demo)
#include "tst_demo.moc"
