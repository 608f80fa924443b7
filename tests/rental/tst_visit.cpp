#include "ShopFixture.h"
#include "TextRows.h"

#include <QTest>

namespace {

// Counts of new rentals, renewals, returns and pieces sold; the new, renewal, return, late,
// settled and sales amounts and the total, in whole dollars when whole; then the titles
// handed back.
QString state(const Visit& visit) {
    const VisitTotals t = visit.UpdateTotals();
    QStringList all;
    for (qint64 n : {t.NewRent, t.Renew, t.Return, t.Sales})
        all << QString::number(n);
    for (Money a :
         {t.NewAmt, t.RenewAmt, t.ReturnAmt, t.LateAmt, t.SettleAllOSAmt, t.SalesAmt, t.total()})
        all << a.formatPlain().remove(QStringLiteral(".00"));
    for (const ReturnEntry& entry : visit.ReturnLines())
        if (!entry.IsDeleted)
            all << entry.Title;
    return all.join(QLatin1Char(' '));
}

// The boxes of an outcome, each marked by its icon unless it is the exclamation mark.
QString said(const Outcome& outcome) {
    QStringList all;
    for (const auto& notice : outcome.notices) {
        const MsgIcon icon = notice.icon;
        all << (icon == MsgIcon::Exclamation ? ""
                : icon == MsgIcon::Critical  ? "critical: "
                                             : "other: ") +
                   notice.text;
    }
    return all.join(" / ");
}

// The visit's order, then each line: item, late charge, settled (1) or not, due date, order
// and the day its first charge was paid.
QString lineTexts(const Visit& visit) {
    QStringList all;
    for (const OrderLine& l : visit.OrderLines()) {
        all << QStringLiteral("%1 %2 %3 %4 %5 %6")
                   .arg(l.ItemID, l.LateAmt.formatPlain())
                   .arg(l.IsSettled)
                   .arg(l.EndDate.toString(Qt::ISODate), l.OrderID,
                        l.payments.value(0).PayDate.toString(Qt::ISODate));
    }
    return visit.order().OrderID + ": " + all.join("; ");
}

} // namespace

// Opening a visit, and what each command line does to it.
class TestVisit : public QObject {
    Q_OBJECT

    std::unique_ptr<ShopFixture> shop;

private Q_SLOTS:
    // Member 000123 rented 000001 on 1 March (due 4 March, 40.00 late by now) and V00001 on
    // 10 March (due 13 March); 000200 has nothing out; 000300, no longer a member, still has
    // V00002. The clock stands at 12 March. Commands change nothing stored, so every test
    // shares the one shop.
    void initTestCase() {
        shop = std::make_unique<ShopFixture>();
        shop->addCounterShop();
        for (const QString copy : {"V00002 EVITA 0", "V00003 FANTASIA 0", "000004 DUNE 2",
                                   "000005 ERASERHEAD 3", "000006 FARGO 9"})
            shop->addItem(copy.section(' ', 0, 0), copy.section(' ', 1, 1), "V", copy.right(1));
        shop->addMember("000200");
        shop->addMember("000300");
        shop->clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
        QVERIFY(shop->ok() && shop->visit("000123", "A 000001"));
        QVERIFY(shop->visit("000300", "A V00002"));
        QVERIFY(shop->t.exec("UPDATE Customers SET Active = 'N' WHERE CustomerID = '000300'"));
        shop->clock.set(QDateTime(QDate(2004, 3, 10), QTime(10, 0)));
        QVERIFY(shop->visit("000123", "A V00001"));
        shop->clock.set(QDateTime(QDate(2004, 3, 12), QTime(11, 0)));
    }

    // A member number, or an item out, opens the member's open order ready for returns; a
    // member with nothing out starts a new one. Only a member may open a visit by number.
    // The key; whether it opens; the lines loaded, counted as out and as the member's rentals;
    // whether the order is new; the code offered; then any box.
    void opens_data() {
        rows({{"by member number", "000123 1 2 2 2 0 R"},
              {"by item out", "V00001 1 2 2 2 0 R"},
              {"nothing out", "000200 1 0 0 0 1 A"},
              {"by item of a former member", "V00002 1 1 1 1 0 R Customer membership not valid!"},
              {"unknown member", "000999 0"},
              {"item not out", "V00003 0"},
              {"former member", "000300 0 Customer membership not valid!"}});
    }
    void opens() {
        QFETCH(QString, row);
        Outcome outcome;
        auto visit = shop->open(row.section(' ', 0, 0), &outcome);
        QStringList seen{QString::number(outcome.ok)};
        if (outcome.ok) {
            for (qint64 n : {visit->OrderLines().size(), visit->UpdateTotals().ExistRent,
                             visit->customer().RentTimes, qint64(visit->NewOrder())})
                seen << QString::number(n);
            seen << visit->defaultCode();
        }
        QCOMPARE((seen << said(outcome)).join(' ').trimmed(), row.section(' ', 1));
    }

    // Birth date, resident, and the warning. The clock stands at 12 March 2004.
    void warnings_data() {
        const QString young = "Customer is under 18 years old!";
        rows({{"18 today", "1986-03-12 Y"},
              {"18 tomorrow", "1986-03-13 Y " + young},
              {"no birth date", "2222-01-01 Y"},
              {"young visitor",
               "1990-01-01 N " + young + "  And  Customer is not a local resident!"}});
    }
    void warnings() {
        QFETCH(QString, row);
        const QStringList v = row.split(' ');
        QVERIFY(shop->t.exec("DELETE FROM Customers WHERE CustomerID = '000400'"));
        shop->addMember("000400", "Y", QDate::fromString(v[0], Qt::ISODate), v[1]);
        Outcome outcome;
        auto visit = shop->open("000400", &outcome);
        QVERIFY(outcome.ok);
        QCOMPARE(visit->warning(), row.section(' ', 2));
    }

    // Every command but the last goes through. The last either goes through and the visit
    // comes to the state after "=", or is refused with the box after "=" and changes nothing.
    // Only a renewal for cash is paid now; arrears wait for a later visit.
    void commands_data() {
        const QString notIn = "The Item not exist in (rental) list, invalid command!";
        rows({{"rent and sell", "000200: A 000003 02, S S00001 07 = 1 0 0 7 30 0 0 0 0 60 90"},
              {"deleted, then rented again",
               "000200: A 000003 02, S S00001 07, D 000003 01, D S00001 01, A 000003 01 = 1 0 0 0 "
               "15 0 0 0 0 0 15"},
              {"renewed for cash", "000123: RR 000001 02 = 0 1 0 0 0 30 0 40 0 0 70"},
              {"renewed on arrears", "000123: RR* 000001 02 = 0 1 0 0 0 0 0 0 0 0 0"},
              {"returned late", "000123: R 000001 01 = 0 0 1 0 0 0 0 40 0 0 40 ALIEN"},
              {"return cancelled", "000123: R 000001 01, D 000001 01 = 0 0 0 0 0 0 0 0 0 0 0"},
              {"settled, whatever the code", "000123: E S88 01 = 0 0 0 0 0 0 0 0 40 0 40"},
              {"settled, then returned",
               "000123: R S88 01, R 000001 01 = 0 0 1 0 0 0 0 40 0 0 40 ALIEN"},
              {"nothing to settle", "000200: A S88 01 = 0 0 0 0 0 0 0 0 0 0 0"},
              {"no quantity", "000200: A 000003 __ = Quantity error!"},
              {"unknown item", "000200: A 009999 01 = Item ID not exist!"},
              {"rented out", "000200: A 000001 01 = The Item already rented out!"},
              {"damaged", "000200: F 000004 01 = The Item already damaged!"},
              {"sold", "000200: A 000005 01 = The Item already sold out!"},
              {"rate code rented", "000200: A S00001 01 = The Item ID is a Rate Code!"},
              {"bad status", "000200: A 000006 01 = critical: Item status error!"},
              {"rented twice", "000200: A 000003 01, F 000003 01 = The Item already exists in "
                               "(rental) list, invalid command!"},
              {"sale no quantity", "000200: S S00001 00 = Quantity error!"},
              {"unknown sale code", "000200: S S09999 01 = Sale Code not exist!"},
              {"sale of a copy", "000200: S 000003 01 = Rate Code error!"},
              {"sold twice", "000200: S S00001 02, S S00001 01 = The Item already exists in "
                             "(rental) list,  invalid command!"},
              {"return not out", "000123: R 000003 01 = " + notIn},
              {"returned twice", "000123: R 000001 01, R 000001 01 = " + notIn},
              {"return of a new rental", "000123: A 000003 01, R 000003 01 = " + notIn},
              {"return of a renewed line", "000123: RR 000001 01, R 000001 01 = " + notIn},
              {"rent a returned item again",
               "000123: R 000001 01, A 000001 01 = The Item already rented out!"},
              {"delete a loaded line", "000123: D 000001 01 = " + notIn},
              {"renew no quantity", "000123: RR 000001 __ = Quantity error!"},
              {"renew settled", "000123: R S88 01, RR 000001 01 = " + notIn},
              {"unknown code", "000123: E 000001 01 = Operation Command error!"}});
    }
    void commands() {
        QFETCH(QString, row);
        const QString script = row.section(" = ", 0, 0);
        auto visit = shop->open(script.section(": ", 0, 0));
        const QString commands = script.section(": ", 1);
        QVERIFY(ShopFixture::run(*visit, commands.section(", ", 0, -2)));
        const QStringList last = commands.section(", ", -1).split(' ');
        const QString before = QString::number(visit->OrderLines().size()) + state(*visit);
        const Outcome outcome = visit->ExecuteCommand(last[0], last[1], last[2]);
        QCOMPARE(outcome.ok ? said(outcome) + state(*visit) : said(outcome), row.section(" = ", 1));
        if (!outcome.ok)
            QCOMPARE(QString::number(visit->OrderLines().size()) + state(*visit), before);
    }

    // Lines load in due order with their late charge by today. A new rental joins the open
    // order, paid today; settling moves a line that is due to today and leaves lines that owe
    // nothing alone.
    void lines() {
        auto visit = shop->open("000123");
        QCOMPARE(lineTexts(*visit), "000001: 000001 40.00 0 2004-03-04 000001 2004-03-01; V00001 "
                                    "0.00 0 2004-03-13 000001 2004-03-10");
        QVERIFY(ShopFixture::run(*visit, "A 000003, A S88"));
        QCOMPARE(lineTexts(*visit),
                 "000001: 000001 40.00 1 2004-03-12 000001 2004-03-01; V00001 0.00 0 2004-03-13 "
                 "000001 2004-03-10; 000003 0.00 0 2004-03-15 000001 2004-03-12");
    }

    // A line keeps well within the charge rows that load with it.
    void renewalLimit_data() { rows({{"25 rows", "25"}, {"26 rows", "26"}}); }
    void renewalLimit() {
        const int rows = rowValues()[0].toInt();
        QVERIFY(shop->t.exec("DELETE FROM Order_Payment WHERE PayType = '2'"));
        QVERIFY(
            shop->t.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                         "WHERE i < ?) INSERT INTO Order_Payment (OrderIdx, ItemID, RenewIndex, "
                         "PayType, ChargeAmt, StartDate, PayStatus) SELECT OrderIdx, ItemID, i, "
                         "'2', 0, StartDate, 'Y' FROM n, Order_Details WHERE ItemID = 'V00001'",
                         {rows - 1}));
        auto visit = shop->open("000123");
        QCOMPARE(visit->OrderLines()[1].payments.size(), rows); // V00001, due last
        QCOMPARE(visit->ExecuteCommand("RR", "V00001", "01").notices.value(0).text,
                 rows < 26 ? QString()
                           : "The Item exceeded the renewal limit and cannot be renewed!");
    }
};

QTEST_GUILESS_MAIN(TestVisit)
#include "tst_visit.moc"
