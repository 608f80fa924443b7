#include "ShopFixture.h"
#include "lineflags.h"

#include <QTest>

using Commands = QList<QStringList>;
Q_DECLARE_METATYPE(Commands)

// What each command line does to a visit, and the one message a refused command gives.
class TestVisitCommands : public QObject {
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
    // Member 000123 rented 000001 on 1 March (due 4 March) and 000002 on 10 March (due 13);
    // the clock stands at 12 March.
    void init() {
        shop = std::make_unique<ShopFixture>();
        shop->addCounterShop();
        shop->addItem("000004", "DUNE", "V", "2");
        shop->addItem("000005", "ERASERHEAD", "V", "3");
        shop->addItem("000006", "FARGO", "V", "9");
        shop->addMember("000200");
        shop->clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
        QVERIFY(shop->ok() && shop->visit("000123", {{"A", "000001", "01"}}));
        shop->clock.set(QDateTime(QDate(2004, 3, 10), QTime(10, 0)));
        QVERIFY(shop->visit("000123", {{"A", "000002", "01"}}));
        shop->clock.set(QDateTime(QDate(2004, 3, 12), QTime(11, 0)));
    }

    // Each case: commands that must go through first, then one that is refused.
    void refusals_data() {
        QTest::addColumn<QString>("member");
        QTest::addColumn<Commands>("before");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        const auto row = [](const char* name, const char* member, const Commands& before,
                            const QString& command, const char* message,
                            MsgIcon icon = MsgIcon::Exclamation) {
            QTest::newRow(name) << QString::fromLatin1(member) << before
                                << command.split(QLatin1Char(' ')) << QString::fromLatin1(message)
                                << int(icon);
        };
        const char* notIn = "The Item not exist in (rental) list, invalid command!";
        const char* opError = "Operation Command error!";
        row("no quantity", "000200", {}, "A 000003 __", "Quantity error!");
        row("unknown item", "000200", {}, "A 009999 01", "Item ID not exist!");
        row("rented out", "000200", {}, "A 000001 01", "The Item already rented out!");
        row("damaged", "000200", {}, "F 000004 01", "The Item already damaged!");
        row("sold", "000200", {}, "A 000005 01", "The Item already sold out!");
        row("rate code rented", "000200", {}, "A S00001 01", "The Item ID is a Rate Code!");
        row("bad status", "000200", {}, "A 000006 01", "Item status error!", MsgIcon::Critical);
        row("rented twice", "000200", {{"A", "000003", "01"}}, "F 000003 01",
            "The Item already exists in (rental) list, invalid command!");
        row("sale no quantity", "000200", {}, "S S00001 00", "Quantity error!");
        row("unknown sale code", "000200", {}, "S S09999 01", "Sale Code not exist!");
        row("sale of a copy", "000200", {}, "S 000003 01", "Rate Code error!");
        row("sold twice", "000200", {{"S", "S00001", "02"}}, "S S00001 01",
            "The Item already exists in (rental) list,  invalid command!");
        row("return not out", "000123", {}, "R 000003 01", notIn);
        row("returned twice", "000123", {{"R", "000001", "01"}}, "R 000001 01", notIn);
        row("return of a new rental", "000123", {{"A", "000003", "01"}}, "R 000003 01", notIn);
        row("return of a renewed line", "000123", {{"RR", "000001", "01"}}, "R 000001 01", notIn);
        row("rent a returned item again", "000123", {{"R", "000001", "01"}}, "A 000001 01",
            "The Item already rented out!");
        row("delete a loaded line", "000123", {}, "D 000001 01", notIn);
        row("delete twice", "000123", {{"R", "000001", "01"}, {"D", "000001", "01"}}, "D 000001 01",
            notIn);
        row("renew no quantity", "000123", {}, "RR 000001 __", "Quantity error!");
        row("renew twice", "000123", {{"RR*", "000001", "01"}}, "RR 000001 01", notIn);
        row("renew settled", "000123", {{"R", "S88", "01"}}, "RR 000001 01", notIn);
        row("edit code", "000123", {}, "E 000001 01", opError);
        row("bad code", "000123", {}, "B 000001 01", opError);
        row("unknown code", "000123", {}, "X 000001 01", opError);
    }
    void refusals() {
        QFETCH(QString, member);
        QFETCH(Commands, before);
        QFETCH(QStringList, command);
        QFETCH(QString, message);
        QFETCH(int, icon);
        auto visit = shop->open(member);
        for (const QStringList& c : before)
            QVERIFY(visit->ExecuteCommand(c[0], c[1], c[2]).ok);
        const auto linesBefore = visit->OrderLines().size();
        const auto totalsBefore = visit->UpdateTotals().total();
        const Outcome outcome = visit->ExecuteCommand(command[0], command[1], command[2]);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.notices.size(), 1);
        QCOMPARE(outcome.notices[0].text, message);
        QCOMPARE(int(outcome.notices[0].icon), icon);
        QCOMPARE(visit->OrderLines().size(), linesBefore);
        QCOMPARE(visit->UpdateTotals().total(), totalsBefore);
    }

    void returnThenDeleteCancelsTheReturn() {
        auto visit = shop->open("000123");
        QVERIFY(runCommand(*visit, "R", "000001"));
        QCOMPARE(RowColour(line(*visit, "000001")), LineColour::Returned);
        QCOMPARE(visit->ReturnLines().size(), 1);
        QCOMPARE(visit->ReturnLines()[0].Title, QStringLiteral("ALIEN"));
        QCOMPARE(visit->UpdateTotals().Return, qint64(1));
        QVERIFY(runCommand(*visit, "D", "000001"));
        QVERIFY(visit->ReturnLines()[0].IsDeleted);
        QCOMPARE(RowColour(line(*visit, "000001")), LineColour::Overdue);
        QCOMPARE(visit->UpdateTotals().Return, qint64(0));
        QCOMPARE(visit->UpdateTotals().total(), Money());
    }

    void deleteRemovesLinesOfThisVisit() {
        auto visit = shop->open("000200");
        QVERIFY(runCommand(*visit, "A", "000003", "02"));
        QVERIFY(runCommand(*visit, "S", "S00001", "07"));
        QCOMPARE(visit->UpdateTotals().total(), Money::fromWhole(30 + 60));
        QCOMPARE(visit->UpdateTotals().Sales, qint64(7));
        QVERIFY(runCommand(*visit, "D", "000003"));
        QVERIFY(runCommand(*visit, "D", "S00001"));
        const VisitTotals t = visit->UpdateTotals();
        QCOMPARE(t.NewRent, qint64(0));
        QCOMPARE(t.Sales, qint64(0));
        QCOMPARE(t.total(), Money());
        // Once deleted, the item can be entered again.
        QVERIFY(runCommand(*visit, "A", "000003", "01"));
    }

    void loadedLinesCarryTheirLateCharge() {
        auto visit = shop->open("000123");
        // 000001 was due 4 March: eight days late at 5 a day. 000002 is due 13 March.
        QCOMPARE(line(*visit, "000001").LateAmt, Money::fromWhole(40));
        QCOMPARE(line(*visit, "000002").LateAmt, Money());
        QCOMPARE(RowColour(line(*visit, "000002")), LineColour::Unchanged);
        QCOMPARE(visit->OrderLines().first().ItemID, QStringLiteral("000001"));
    }

    void renewal_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDate>("due");
        const QDateTime early(QDate(2004, 3, 12), QTime(11, 0));
        const QDateTime dueDay(QDate(2004, 3, 13), QTime(9, 30));
        const QDateTime late(QDate(2004, 3, 15), QTime(11, 0));
        QTest::newRow("before the due day")
            << early << QDateTime(QDate(2004, 3, 13), QTime(0, 0)) << QDate(2004, 3, 16);
        QTest::newRow("on the due day") << dueDay << dueDay << QDate(2004, 3, 16);
        QTest::newRow("two days late") << late << late << QDate(2004, 3, 18);
    }
    void renewal() {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, start);
        QFETCH(QDate, due);
        shop->clock.set(now);
        auto visit = shop->open("000123");
        const Money late = line(*visit, "000002").LateAmt;
        QVERIFY(runCommand(*visit, "RR", "000002", "01"));
        const OrderLine& renewed = line(*visit, "000002");
        QCOMPARE(renewed.StartDate, start);
        QCOMPARE(renewed.EndDate, due);
        QCOMPARE(renewed.LastRenewIndex, qint64(1));
        QCOMPARE(renewed.OSAmt, Money::fromWhole(15));
        QCOMPARE(renewed.LateAmt, late);
        QCOMPARE(RowColour(renewed), LineColour::Renewed);
    }

    void totalsCountCashButNotArrears() {
        auto visit = shop->open("000123");
        QVERIFY(runCommand(*visit, "RR", "000001", "02"));
        VisitTotals t = visit->UpdateTotals();
        QCOMPARE(t.Renew, qint64(1));
        QCOMPARE(t.RenewAmt, Money::fromWhole(30));
        QCOMPARE(t.LateAmt, Money::fromWhole(40));
        QCOMPARE(t.total(), Money::fromWhole(70));

        auto arrears = shop->open("000123");
        QVERIFY(runCommand(*arrears, "RR*", "000001", "02"));
        t = arrears->UpdateTotals();
        QCOMPARE(t.Renew, qint64(1));
        QCOMPARE(t.total(), Money());
        QCOMPARE(t.ExistRent, qint64(2));
    }

    void settleAll() {
        auto visit = shop->open("000123");
        // The code field does not matter for S88.
        QVERIFY(runCommand(*visit, "E", "S88"));
        const OrderLine& overdue = line(*visit, "000001");
        QVERIFY(overdue.IsSettled);
        QCOMPARE(overdue.EndDate, QDate(2004, 3, 12));
        QCOMPARE(RowColour(overdue), LineColour::Settled);
        // Nothing owed on the other line: left alone.
        QVERIFY(!line(*visit, "000002").IsSettled);
        QCOMPARE(visit->UpdateTotals().SettleAllOSAmt, Money::fromWhole(40));
        // A settled line can still be returned, which clears the settlement.
        QVERIFY(runCommand(*visit, "R", "000001"));
        QVERIFY(!line(*visit, "000001").IsSettled);
    }

    void settleAllWithNothingOwed() {
        auto visit = shop->open("000200");
        const Outcome outcome = visit->ExecuteCommand("A", "S88", {});
        QVERIFY(outcome.ok);
        QVERIFY(outcome.notices.isEmpty());
        QVERIFY(visit->OrderLines().isEmpty());
    }

    void renewalLimit_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("renewable");
        QTest::newRow("25 rows") << 25 << true;
        QTest::newRow("26 rows") << 26 << false;
    }
    void renewalLimit() {
        QFETCH(int, rows);
        QFETCH(bool, renewable);
        const QString idx =
            shop->text("SELECT OrderIdx FROM Order_Details WHERE ItemID = '000002'");
        for (int i = 1; i < rows; ++i) {
            QVERIFY(
                shop->t.exec("INSERT INTO Order_Payment (OrderIdx, ItemID, RenewIndex, PayType, "
                             "ChargeAmt, StartDate, PayStatus) VALUES (?, '000002', ?, '2', 0, "
                             "'2004-03-10 10:00:00', 'Y')",
                             {idx, i}));
        }
        auto visit = shop->open("000123");
        QCOMPARE(line(*visit, "000002").payments.size(), rows);
        QCOMPARE(runCommand(*visit, "RR", "000002", "01"), renewable);
    }
};

QTEST_GUILESS_MAIN(TestVisitCommands)
#include "tst_visit_commands.moc"
