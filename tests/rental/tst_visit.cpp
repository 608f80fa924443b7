#include "TextRows.h"
#include "ShopFixture.h"

#include <QTest>

namespace {

// "000200: A 000003 02, S S00001 07": the member, then code, item and quantity of each command.
QList<QStringList> commands(const QString& script) {
    QList<QStringList> all;
    for (const QString& command : script.section(QStringLiteral(": "), 1).split(", "))
        all << command.split(QLatin1Char(' '));
    return all;
}

// Counts of new rentals, renewals, returns and pieces sold; then the new, renewal, return,
// late, settled and sales amounts and the total.
QString totals(const VisitTotals& t) {
    QStringList all;
    for (qint64 n : {t.NewRent, t.Renew, t.Return, t.Sales})
        all << QString::number(n);
    for (Money a :
         {t.NewAmt, t.RenewAmt, t.ReturnAmt, t.LateAmt, t.SettleAllOSAmt, t.SalesAmt, t.total()})
        all << a.formatPlain();
    return all.join(QLatin1Char(' '));
}

QString returnedTitles(const Visit& visit) {
    QStringList titles;
    for (const ReturnEntry& entry : visit.ReturnLines()) {
        if (!entry.IsDeleted)
            titles << entry.Title;
    }
    return titles.join(QLatin1Char(' '));
}

} // namespace

// Opening a visit, and what each command line does to it.
class TestVisit : public QObject {
    Q_OBJECT

    std::unique_ptr<ShopFixture> shop;

    const OrderLine& line(const Visit& v, const QString& itemID) {
        for (const OrderLine& l : v.OrderLines()) {
            if (l.ItemID == itemID && !l.IsDeleted)
                return l;
        }
        static const OrderLine none;
        return none;
    }

private Q_SLOTS:
    // Member 000123 rented 000001 on 1 March (due 4 March, 40.00 late by now) and V00001 on
    // 10 March (due 13 March); 000200 has nothing out; 000300, no longer a member, still has
    // V00002. The clock stands at 12 March. Commands change nothing stored, so every test
    // shares the one shop.
    void initTestCase() {
        shop = std::make_unique<ShopFixture>();
        shop->addCounterShop();
        shop->addItem("V00002", "EVITA", "V");
        shop->addItem("V00003", "FANTASIA", "V");
        shop->addItem("000004", "DUNE", "V", "2");
        shop->addItem("000005", "ERASERHEAD", "V", "3");
        shop->addItem("000006", "FARGO", "V", "9");
        shop->addMember("000200");
        shop->addMember("000300");
        shop->clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
        QVERIFY(shop->ok() && shop->visit("000123", {{"A", "000001", "01"}}));
        QVERIFY(shop->visit("000300", {{"A", "V00002", "01"}}));
        QVERIFY(shop->t.exec("UPDATE Customers SET Active = 'N' WHERE CustomerID = '000300'"));
        shop->clock.set(QDateTime(QDate(2004, 3, 10), QTime(10, 0)));
        QVERIFY(shop->visit("000123", {{"A", "V00001", "01"}}));
        shop->clock.set(QDateTime(QDate(2004, 3, 12), QTime(11, 0)));
    }

    // A member number, or an item out, opens the member's open order ready for returns; a
    // member with nothing out starts a new one. Only a member may open a visit by number.
    // The key; whether it opens; the lines loaded; "warned" when told the membership ended.
    void opens_data() {
        rows({{"by member number", "000123 1 2"},
              {"by item out", "V00001 1 2"},
              {"nothing out", "000200 1 0"},
              {"by item of a former member", "V00002 1 1 warned"},
              {"unknown member", "000999 0 0"},
              {"item not out", "V00003 0 0"},
              {"former member", "000300 0 0 warned"}});
    }
    void opens() {
        const QStringList v = rowValues();
        Outcome outcome;
        auto visit = shop->open(v[0], &outcome);
        QCOMPARE(outcome.ok, v[1] == "1");
        QCOMPARE(outcome.notices.size(), v.size() - 3);
        if (v.size() > 3) {
            QCOMPARE(outcome.notices[0].text, "Customer membership not valid!");
            QCOMPARE(outcome.notices[0].icon, MsgIcon::Exclamation);
        }
        if (!outcome.ok)
            return;
        const qint64 lines = v[2].toLongLong();
        QCOMPARE(visit->NewOrder(), lines == 0);
        QCOMPARE(QList<qint64>({visit->OrderLines().size(), visit->UpdateTotals().ExistRent,
                                visit->customer().RentTimes}),
                 QList<qint64>({lines, lines, lines}));
        QCOMPARE(visit->defaultCode(), QString(lines ? "R" : "A"));
    }

    // Birth date, resident, and the warning: under 18 (U), not a local resident (F). The clock
    // stands at 12 March 2004.
    void warnings_data() {
        rows({{"18 today", "1986-03-12 Y -"},
              {"18 tomorrow", "1986-03-13 Y U"},
              {"18 last month", "1986-02-28 Y -"},
              {"no birth date", "2222-01-01 Y -"},
              {"visitor", "1970-01-01 N F"},
              {"young visitor", "1990-01-01 N UF"}});
    }
    void warnings() {
        const QStringList v = rowValues();
        QVERIFY(shop->t.exec("DELETE FROM Customers WHERE CustomerID = '000400'"));
        shop->addMember("000400", "Y", QDate::fromString(v[0], Qt::ISODate), v[1]);
        Outcome outcome;
        auto visit = shop->open("000400", &outcome);
        QVERIFY(outcome.ok);
        QStringList warning;
        if (v[2].contains('U'))
            warning << "Customer is under 18 years old!";
        if (v[2].contains('F'))
            warning << "Customer is not a local resident!";
        QCOMPARE(visit->warning(), warning.join("  And  "));
    }

    // Every command but the last goes through. The last either goes through, and the visit
    // adds up to `totals` with `returned` handed back, or is refused with one box and changes
    // nothing. Only a renewal for cash is paid now; arrears wait for a later visit.
    void commands_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("totals");
        QTest::addColumn<QString>("returned");
        const auto done = [](const char* name, const char* script, const char* totals,
                             const char* returned = "") {
            QTest::newRow(name) << QString(script) << QString() << int(MsgIcon::None)
                                << QString(totals) << QString(returned);
        };
        const auto refused = [](const char* name, const char* script, const char* message,
                                MsgIcon icon = MsgIcon::Exclamation) {
            QTest::newRow(name) << QString(script) << QString(message) << int(icon) << QString()
                                << QString();
        };
        done("rent and sell", "000200: A 000003 02, S S00001 07",
             "1 0 0 7 30.00 0.00 0.00 0.00 0.00 60.00 90.00");
        done("deleted, then rented again",
             "000200: A 000003 02, S S00001 07, D 000003 01, D S00001 01, A 000003 01",
             "1 0 0 0 15.00 0.00 0.00 0.00 0.00 0.00 15.00");
        done("renewed for cash", "000123: RR 000001 02",
             "0 1 0 0 0.00 30.00 0.00 40.00 0.00 0.00 70.00");
        done("renewed on arrears", "000123: RR* 000001 02",
             "0 1 0 0 0.00 0.00 0.00 0.00 0.00 0.00 0.00");
        done("returned late", "000123: R 000001 01", "0 0 1 0 0.00 0.00 0.00 40.00 0.00 0.00 40.00",
             "ALIEN");
        done("return cancelled", "000123: R 000001 01, D 000001 01",
             "0 0 0 0 0.00 0.00 0.00 0.00 0.00 0.00 0.00");
        done("settled, whatever the code", "000123: E S88 01",
             "0 0 0 0 0.00 0.00 0.00 0.00 40.00 0.00 40.00");
        done("settled, then returned", "000123: R S88 01, R 000001 01",
             "0 0 1 0 0.00 0.00 0.00 40.00 0.00 0.00 40.00", "ALIEN");
        done("nothing to settle", "000200: A S88 01", "0 0 0 0 0.00 0.00 0.00 0.00 0.00 0.00 0.00");
        const char* notIn = "The Item not exist in (rental) list, invalid command!";
        const char* opError = "Operation Command error!";
        refused("no quantity", "000200: A 000003 __", "Quantity error!");
        refused("unknown item", "000200: A 009999 01", "Item ID not exist!");
        refused("rented out", "000200: A 000001 01", "The Item already rented out!");
        refused("damaged", "000200: F 000004 01", "The Item already damaged!");
        refused("sold", "000200: A 000005 01", "The Item already sold out!");
        refused("rate code rented", "000200: A S00001 01", "The Item ID is a Rate Code!");
        refused("bad status", "000200: A 000006 01", "Item status error!", MsgIcon::Critical);
        refused("rented twice", "000200: A 000003 01, F 000003 01",
                "The Item already exists in (rental) list, invalid command!");
        refused("sale no quantity", "000200: S S00001 00", "Quantity error!");
        refused("unknown sale code", "000200: S S09999 01", "Sale Code not exist!");
        refused("sale of a copy", "000200: S 000003 01", "Rate Code error!");
        refused("sold twice", "000200: S S00001 02, S S00001 01",
                "The Item already exists in (rental) list,  invalid command!");
        refused("return not out", "000123: R 000003 01", notIn);
        refused("returned twice", "000123: R 000001 01, R 000001 01", notIn);
        refused("return of a new rental", "000123: A 000003 01, R 000003 01", notIn);
        refused("return of a renewed line", "000123: RR 000001 01, R 000001 01", notIn);
        refused("rent a returned item again", "000123: R 000001 01, A 000001 01",
                "The Item already rented out!");
        refused("delete a loaded line", "000123: D 000001 01", notIn);
        refused("delete twice", "000123: R 000001 01, D 000001 01, D 000001 01", notIn);
        refused("renew no quantity", "000123: RR 000001 __", "Quantity error!");
        refused("renew twice", "000123: RR* 000001 01, RR 000001 01", notIn);
        refused("renew settled", "000123: R S88 01, RR 000001 01", notIn);
        refused("edit code", "000123: E 000001 01", opError);
        refused("bad code", "000123: B 000001 01", opError);
        refused("unknown code", "000123: X 000001 01", opError);
    }
    void commands() {
        QFETCH(QString, script);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, totals);
        QFETCH(QString, returned);
        auto visit = shop->open(script.section(QStringLiteral(": "), 0, 0));
        QList<QStringList> all = ::commands(script);
        const QStringList last = all.takeLast();
        for (const QStringList& c : all)
            QVERIFY(visit->ExecuteCommand(c[0], c[1], c[2]).ok);
        const qsizetype linesBefore = visit->OrderLines().size();
        const QString totalsBefore = ::totals(visit->UpdateTotals());
        const Outcome outcome = visit->ExecuteCommand(last[0], last[1], last[2]);
        QCOMPARE(outcome.ok, message.isEmpty());
        QCOMPARE(outcome.notices.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(outcome.notices.value(0).text, message);
        QCOMPARE(int(outcome.notices.value(0).icon), icon);
        if (message.isEmpty()) {
            QCOMPARE(::totals(visit->UpdateTotals()), totals);
            QCOMPARE(returnedTitles(*visit), returned);
        } else {
            QCOMPARE(visit->OrderLines().size(), linesBefore);
            QCOMPARE(::totals(visit->UpdateTotals()), totalsBefore);
        }
    }

    // Lines load in due order with their late charge by today. A new rental joins the open
    // order, paid today; settling moves a line that is due to today and leaves lines that owe
    // nothing alone.
    void lines() {
        auto visit = shop->open("000123");
        QCOMPARE(visit->OrderLines()[0].ItemID, QStringLiteral("000001"));
        QCOMPARE(visit->OrderLines()[0].LateAmt, Money::fromWhole(40));
        QCOMPARE(visit->OrderLines()[1].LateAmt, Money());
        QVERIFY(runCommand(*visit, "A", "000003", "01"));
        QVERIFY(runCommand(*visit, "A", "S88"));
        const OrderLine& added = line(*visit, "000003");
        QCOMPARE(added.OrderID, visit->order().OrderID);
        QCOMPARE(added.payments.value(0).PayDate, QDate(2004, 3, 12));
        QVERIFY(!added.IsSettled);
        QVERIFY(line(*visit, "000001").IsSettled);
        QCOMPARE(line(*visit, "000001").EndDate, QDate(2004, 3, 12));
        QVERIFY(!line(*visit, "V00001").IsSettled);
        QCOMPARE(line(*visit, "V00001").EndDate, QDate(2004, 3, 13));
    }

    // A line keeps well within the charge rows that load with it.
    void renewalLimit_data() { rows({{"25 rows", "25"}, {"26 rows", "26"}}); }
    void renewalLimit() {
        const int rows = rowValues()[0].toInt();
        QVERIFY(shop->t.exec("DELETE FROM Order_Payment WHERE PayType = '2'"));
        const QString idx =
            shop->text("SELECT OrderIdx FROM Order_Details WHERE ItemID = 'V00001'");
        for (int i = 1; i < rows; ++i) {
            QVERIFY(
                shop->t.exec("INSERT INTO Order_Payment (OrderIdx, ItemID, RenewIndex, PayType, "
                             "ChargeAmt, StartDate, PayStatus) VALUES (?, 'V00001', ?, '2', 0, "
                             "'2004-03-10 10:00:00', 'Y')",
                             {idx, i}));
        }
        auto visit = shop->open("000123");
        QCOMPARE(line(*visit, "V00001").payments.size(), rows);
        QCOMPARE(visit->ExecuteCommand("RR", "V00001", "01").notices.value(0).text,
                 rows < 26 ? QString()
                           : "The Item exceeded the renewal limit and cannot be renewed!");
    }
};

QTEST_GUILESS_MAIN(TestVisit)
#include "tst_visit.moc"
