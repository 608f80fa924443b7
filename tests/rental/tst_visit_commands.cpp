#include "ShopFixture.h"
#include "lineflags.h"

#include <QTest>

using Commands = QList<QStringList>;
Q_DECLARE_METATYPE(Commands)

// What each command line does to a visit, and the one message a refused command gives.
class TestVisitCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<ShopFixture> shop;

    // Member 000123 rented 000001 on 1 March (due 4 March) and 000002 on 10 March (due 13).
    void rentEarlier() {
        shop->clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
        QVERIFY(shop->visit(QStringLiteral("000123"), {{"A", "000001", "01"}}));
        shop->clock.set(QDateTime(QDate(2004, 3, 10), QTime(10, 0)));
        QVERIFY(shop->visit(QStringLiteral("000123"), {{"A", "000002", "01"}}));
    }

    const OrderLine& line(const Visit& v, const QString& itemID) {
        for (const OrderLine& l : v.OrderLines()) {
            if (l.ItemID == itemID && !l.IsDeleted)
                return l;
        }
        static const OrderLine none;
        return none;
    }

    static bool run(Visit& v, const char* code, const char* item, const char* qty = "") {
        return v
            .ExecuteCommand(QString::fromLatin1(code), QString::fromLatin1(item),
                            QString::fromLatin1(qty))
            .ok;
    }

private Q_SLOTS:
    void init() {
        shop = std::make_unique<ShopFixture>();
        shop->addCategory(QStringLiteral("V"), QStringLiteral("15"), 3, QStringLiteral("5"));
        shop->addCategory(QStringLiteral("S"), QStringLiteral("0"), 0, QStringLiteral("0"),
                          QStringLiteral("10"), 3, QStringLiteral("25"));
        shop->addItem(QStringLiteral("000001"), QStringLiteral("ALIEN"), QStringLiteral("V"));
        shop->addItem(QStringLiteral("000002"), QStringLiteral("BRAZIL"), QStringLiteral("V"));
        shop->addItem(QStringLiteral("000003"), QStringLiteral("CASABLANCA"), QStringLiteral("V"));
        shop->addItem(QStringLiteral("000004"), QStringLiteral("DUNE"), QStringLiteral("V"),
                      QStringLiteral("2"));
        shop->addItem(QStringLiteral("000005"), QStringLiteral("ERASERHEAD"), QStringLiteral("V"),
                      QStringLiteral("3"));
        shop->addItem(QStringLiteral("000006"), QStringLiteral("FARGO"), QStringLiteral("V"),
                      QStringLiteral("9"));
        shop->addItem(QStringLiteral("S00001"), QStringLiteral("POPCORN"), QStringLiteral("S"),
                      QStringLiteral("4"));
        shop->addMember(QStringLiteral("000123"));
        shop->addMember(QStringLiteral("000200"));
        QVERIFY(shop->ok());
        rentEarlier();
        shop->clock.set(QDateTime(QDate(2004, 3, 12), QTime(11, 0)));
    }

    // Each case: commands that must go through first, then one that is refused.
    void refusals_data() {
        QTest::addColumn<QString>("member");
        QTest::addColumn<Commands>("before");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        const int excl = int(MsgIcon::Exclamation);
        const QString notIn =
            QStringLiteral("The Item not exist in (rental) list, invalid command!");
        QTest::newRow("no quantity") << "000200" << Commands{} << QStringList{"A", "000003", "__"}
                                     << "Quantity error!" << excl;
        QTest::newRow("unknown item") << "000200" << Commands{} << QStringList{"A", "009999", "01"}
                                      << "Item ID not exist!" << excl;
        QTest::newRow("rented out") << "000200" << Commands{} << QStringList{"A", "000001", "01"}
                                    << "The Item already rented out!" << excl;
        QTest::newRow("damaged") << "000200" << Commands{} << QStringList{"F", "000004", "01"}
                                 << "The Item already damaged!" << excl;
        QTest::newRow("sold") << "000200" << Commands{} << QStringList{"A", "000005", "01"}
                              << "The Item already sold out!" << excl;
        QTest::newRow("rate code rented")
            << "000200" << Commands{} << QStringList{"A", "S00001", "01"}
            << "The Item ID is a Rate Code!" << excl;
        QTest::newRow("bad status") << "000200" << Commands{} << QStringList{"A", "000006", "01"}
                                    << "Item status error!" << int(MsgIcon::Critical);
        QTest::newRow("rented twice")
            << "000200" << Commands{{"A", "000003", "01"}} << QStringList{"F", "000003", "01"}
            << "The Item already exists in (rental) list, invalid command!" << excl;
        QTest::newRow("sale no quantity")
            << "000200" << Commands{} << QStringList{"S", "S00001", "00"} << "Quantity error!"
            << excl;
        QTest::newRow("unknown sale code")
            << "000200" << Commands{} << QStringList{"S", "S09999", "01"} << "Sale Code not exist!"
            << excl;
        QTest::newRow("sale of a copy")
            << "000200" << Commands{} << QStringList{"S", "000003", "01"} << "Rate Code error!"
            << excl;
        QTest::newRow("sold twice")
            << "000200" << Commands{{"S", "S00001", "02"}} << QStringList{"S", "S00001", "01"}
            << "The Item already exists in (rental) list,  invalid command!" << excl;
        QTest::newRow("return not out")
            << "000123" << Commands{} << QStringList{"R", "000003", "01"} << notIn << excl;
        QTest::newRow("returned twice") << "000123" << Commands{{"R", "000001", "01"}}
                                        << QStringList{"R", "000001", "01"} << notIn << excl;
        QTest::newRow("return of a new rental")
            << "000123" << Commands{{"A", "000003", "01"}} << QStringList{"R", "000003", "01"}
            << notIn << excl;
        QTest::newRow("return of a renewed line")
            << "000123" << Commands{{"RR", "000001", "01"}} << QStringList{"R", "000001", "01"}
            << notIn << excl;
        QTest::newRow("rent a returned item again")
            << "000123" << Commands{{"R", "000001", "01"}} << QStringList{"A", "000001", "01"}
            << "The Item already rented out!" << excl;
        QTest::newRow("delete a loaded line")
            << "000123" << Commands{} << QStringList{"D", "000001", "01"} << notIn << excl;
        QTest::newRow("delete twice")
            << "000123" << Commands{{"R", "000001", "01"}, {"D", "000001", "01"}}
            << QStringList{"D", "000001", "01"} << notIn << excl;
        QTest::newRow("renew no quantity")
            << "000123" << Commands{} << QStringList{"RR", "000001", "__"} << "Quantity error!"
            << excl;
        QTest::newRow("renew twice") << "000123" << Commands{{"RR*", "000001", "01"}}
                                     << QStringList{"RR", "000001", "01"} << notIn << excl;
        QTest::newRow("renew settled") << "000123" << Commands{{"R", "S88", "01"}}
                                       << QStringList{"RR", "000001", "01"} << notIn << excl;
        QTest::newRow("edit code") << "000123" << Commands{} << QStringList{"E", "000001", "01"}
                                   << "Operation Command error!" << excl;
        QTest::newRow("bad code") << "000123" << Commands{} << QStringList{"B", "000001", "01"}
                                  << "Operation Command error!" << excl;
        QTest::newRow("unknown code") << "000123" << Commands{} << QStringList{"X", "000001", "01"}
                                      << "Operation Command error!" << excl;
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
        auto visit = shop->open(QStringLiteral("000123"));
        QVERIFY(run(*visit, "R", "000001"));
        QCOMPARE(RowColour(line(*visit, QStringLiteral("000001"))), LineColour::Returned);
        QCOMPARE(visit->ReturnLines().size(), 1);
        QCOMPARE(visit->ReturnLines()[0].Title, QStringLiteral("ALIEN"));
        QCOMPARE(visit->UpdateTotals().Return, qint64(1));
        QVERIFY(run(*visit, "D", "000001"));
        QVERIFY(visit->ReturnLines()[0].IsDeleted);
        QCOMPARE(RowColour(line(*visit, QStringLiteral("000001"))), LineColour::Overdue);
        QCOMPARE(visit->UpdateTotals().Return, qint64(0));
        QCOMPARE(visit->UpdateTotals().total(), Money());
    }

    void deleteRemovesLinesOfThisVisit() {
        auto visit = shop->open(QStringLiteral("000200"));
        QVERIFY(run(*visit, "A", "000003", "02"));
        QVERIFY(run(*visit, "S", "S00001", "07"));
        QCOMPARE(visit->UpdateTotals().total(), Money::fromWhole(30 + 60));
        QCOMPARE(visit->UpdateTotals().Sales, qint64(7));
        QVERIFY(run(*visit, "D", "000003"));
        QVERIFY(run(*visit, "D", "S00001"));
        const VisitTotals t = visit->UpdateTotals();
        QCOMPARE(t.NewRent, qint64(0));
        QCOMPARE(t.Sales, qint64(0));
        QCOMPARE(t.total(), Money());
        // Once deleted, the item can be entered again.
        QVERIFY(run(*visit, "A", "000003", "01"));
    }

    void loadedLinesCarryTheirLateCharge() {
        auto visit = shop->open(QStringLiteral("000123"));
        // 000001 was due 4 March: eight days late at 5 a day. 000002 is due 13 March.
        QCOMPARE(line(*visit, QStringLiteral("000001")).LateAmt, Money::fromWhole(40));
        QCOMPARE(line(*visit, QStringLiteral("000002")).LateAmt, Money());
        QCOMPARE(RowColour(line(*visit, QStringLiteral("000002"))), LineColour::Unchanged);
        QCOMPARE(visit->OrderLines().first().ItemID, QStringLiteral("000001"));
    }

    void renewal_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDate>("due");
        QTest::newRow("before the due day")
            << QDateTime(QDate(2004, 3, 12), QTime(11, 0))
            << QDateTime(QDate(2004, 3, 13), QTime(0, 0)) << QDate(2004, 3, 16);
        QTest::newRow("on the due day")
            << QDateTime(QDate(2004, 3, 13), QTime(9, 30))
            << QDateTime(QDate(2004, 3, 13), QTime(9, 30)) << QDate(2004, 3, 16);
        QTest::newRow("two days late")
            << QDateTime(QDate(2004, 3, 15), QTime(11, 0))
            << QDateTime(QDate(2004, 3, 15), QTime(11, 0)) << QDate(2004, 3, 18);
    }
    void renewal() {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, start);
        QFETCH(QDate, due);
        shop->clock.set(now);
        auto visit = shop->open(QStringLiteral("000123"));
        const Money late = line(*visit, QStringLiteral("000002")).LateAmt;
        QVERIFY(run(*visit, "RR", "000002", "01"));
        const OrderLine& renewed = line(*visit, QStringLiteral("000002"));
        QCOMPARE(renewed.StartDate, start);
        QCOMPARE(renewed.EndDate, due);
        QCOMPARE(renewed.LastRenewIndex, qint64(1));
        QCOMPARE(renewed.OSAmt, Money::fromWhole(15));
        QCOMPARE(renewed.LateAmt, late);
        QCOMPARE(RowColour(renewed), LineColour::Renewed);
    }

    void totalsCountCashButNotArrears() {
        auto visit = shop->open(QStringLiteral("000123"));
        QVERIFY(run(*visit, "RR", "000001", "02"));
        VisitTotals t = visit->UpdateTotals();
        QCOMPARE(t.Renew, qint64(1));
        QCOMPARE(t.RenewAmt, Money::fromWhole(30));
        QCOMPARE(t.LateAmt, Money::fromWhole(40));
        QCOMPARE(t.total(), Money::fromWhole(70));

        auto arrears = shop->open(QStringLiteral("000123"));
        QVERIFY(run(*arrears, "RR*", "000001", "02"));
        t = arrears->UpdateTotals();
        QCOMPARE(t.Renew, qint64(1));
        QCOMPARE(t.total(), Money());
        QCOMPARE(t.ExistRent, qint64(2));
    }

    void settleAll() {
        auto visit = shop->open(QStringLiteral("000123"));
        // The code field does not matter for S88.
        QVERIFY(run(*visit, "E", "S88"));
        const OrderLine& overdue = line(*visit, QStringLiteral("000001"));
        QVERIFY(overdue.IsSettled);
        QCOMPARE(overdue.EndDate, QDate(2004, 3, 12));
        QCOMPARE(RowColour(overdue), LineColour::Settled);
        // Nothing owed on the other line: left alone.
        QVERIFY(!line(*visit, QStringLiteral("000002")).IsSettled);
        QCOMPARE(visit->UpdateTotals().SettleAllOSAmt, Money::fromWhole(40));
        // A settled line can still be returned, which clears the settlement.
        QVERIFY(run(*visit, "R", "000001"));
        QVERIFY(!line(*visit, QStringLiteral("000001")).IsSettled);
    }

    void settleAllWithNothingOwed() {
        auto visit = shop->open(QStringLiteral("000200"));
        const Outcome outcome =
            visit->ExecuteCommand(QStringLiteral("A"), QStringLiteral("S88"), {});
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
        const QString idx = shop->text(
            QStringLiteral("SELECT OrderIdx FROM Order_Details WHERE ItemID = '000002'"));
        for (int i = 1; i < rows; ++i) {
            QVERIFY(shop->t.exec(
                QStringLiteral("INSERT INTO Order_Payment (OrderIdx, ItemID, RenewIndex, PayType, "
                               "ChargeAmt, StartDate, PayStatus) VALUES (?, '000002', ?, '2', 0, "
                               "'2004-03-10 10:00:00', 'Y')"),
                {idx, i}));
        }
        auto visit = shop->open(QStringLiteral("000123"));
        QCOMPARE(line(*visit, QStringLiteral("000002")).payments.size(), rows);
        QCOMPARE(run(*visit, "RR", "000002", "01"), renewable);
    }
};

QTEST_GUILESS_MAIN(TestVisitCommands)
#include "tst_visit_commands.moc"
