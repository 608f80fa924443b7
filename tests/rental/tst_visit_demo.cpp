#include "ShopFixture.h"
#include "dbfile.h"
#include "demo.h"

#include <QTemporaryDir>
#include <QTest>

// Several visits on the demo shop: after each save, reopening the member shows exactly what
// the stored rows say.
class TestVisitDemo : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    ScriptedMessages messages;
    TestClock clock{QDateTime(QDate(2024, 3, 1), QTime(10, 0))};
    std::unique_ptr<Connection> db;
    QString member;
    qint64 baseRentTimes = 0;
    qint64 baseBuyCount = 0;

    QVariant value(const QString& sql, const QVariantList& values) {
        auto q = db->run(sql, values, "test");
        return q && q->next() ? q->value(0) : QVariant();
    }
    qint64 number(const QString& sql) { return value(sql, {member}).toLongLong(); }
    QStringList column(const QString& sql, const QVariantList& values = {}) {
        QStringList all;
        auto q = db->run(sql, values, "test");
        while (q && q->next())
            all << q->value(0).toString();
        return all;
    }

    std::unique_ptr<Visit> open() {
        auto visit = std::make_unique<Visit>(*db, clock, OpCodeRec::defaults(), "13");
        return visit->Start(member).ok ? std::move(visit) : nullptr;
    }

    // The open lines of the member as stored, with what each still owes.
    void checkAgainstRows(const Visit& visit) {
        const QStringList open =
            column("SELECT d.ItemID FROM Order_Details d JOIN Orders o ON o.OrderID = d.OrderID "
                   "WHERE o.CustomerID = ? AND d.RentStatus = '0' ORDER BY d.EndDate, d.OrderIdx",
                   {member});
        QStringList shown;
        for (const OrderLine& line : visit.OrderLines()) {
            shown << line.ItemID;
            const qint64 owed = value("SELECT coalesce(sum(ChargeAmt), 0) FROM Order_Payment "
                                      "WHERE ItemID = ? AND OrderIdx = ? AND PayStatus = 'N'",
                                      {line.ItemID, line.OrderIdx})
                                    .toLongLong();
            QCOMPARE(line.OSAmt.units(), owed);
        }
        QCOMPARE(shown, open);
        QCOMPARE(visit.ExistRentCount(), qint64(open.size()));
        const qint64 charged = number("SELECT coalesce(sum(p.Quantity), 0) FROM Order_Payment p "
                                      "JOIN Orders o ON o.OrderID = p.OrderID "
                                      "WHERE o.CustomerID = ? AND p.PayType <> '1'");
        const qint64 bought =
            number("SELECT coalesce(sum(Quantity), 0) FROM Sales WHERE CustomerID = ?");
        QCOMPARE(visit.customer().RentTimes - baseRentTimes, charged);
        QCOMPARE(visit.customer().BuyCount - baseBuyCount, bought);
    }

private Q_SLOTS:
    void initTestCase() {
        QString error;
        WorkingFileSpec spec{QDateTime(QDate(2024, 2, 1), QTime(9, 0)), QStringLiteral("DEMO"),
                             [](Connection& c) { return addDemoShop(c, QDate(2024, 2, 29)); }};
        QVERIFY2(createWorkingFile(dir.filePath(Connection::LiveFile), spec, messages, error),
                 qPrintable(error));
        db = std::make_unique<Connection>(messages, dir.path());
        QVERIFY(db->OpenDatabase());
        // An active member with an overdue line still out.
        member = column("SELECT o.CustomerID FROM Orders o JOIN Order_Details d ON d.OrderID = "
                        "o.OrderID JOIN Customers c ON c.CustomerID = o.CustomerID WHERE "
                        "d.RentStatus = '0' AND d.EndDate < '2024-03-01' AND c.Active = 'Y' "
                        "ORDER BY o.CustomerID LIMIT 1")
                     .value(0);
        QVERIFY(!member.isEmpty());
        baseRentTimes = number("SELECT coalesce(RentTimes, 0) FROM Customers WHERE CustomerID = ?");
        baseBuyCount = number("SELECT coalesce(BuyCount, 0) FROM Customers WHERE CustomerID = ?");
    }

    void visitsAddUp() {
        auto first = open();
        QVERIFY(first);
        checkAgainstRows(*first);
        const QString overdue = first->OrderLines().first().ItemID;
        QVERIFY(first->OrderLines().first().LateAmt > Money());
        const QStringList shelf =
            column("SELECT ItemID FROM Items WHERE Status = '0' ORDER BY ItemID LIMIT 2");
        QCOMPARE(shelf.size(), 2);
        QVERIFY(runCommand(*first, "R", overdue));
        QVERIFY(runCommand(*first, "A", shelf[0], "02"));
        QVERIFY(runCommand(*first, "F", shelf[1], "01"));
        QVERIFY(runCommand(*first, "S", "S00001", "02"));
        QVERIFY(first->SaveTransaction().ok);
        QCOMPARE(value("SELECT Status FROM Items WHERE ItemID = ?", {overdue}).toString(),
                 QStringLiteral("0"));

        clock.advanceDays(1);
        auto second = open();
        QVERIFY(second);
        checkAgainstRows(*second);
        QVERIFY(runCommand(*second, "RR*", shelf[0], "01"));
        QVERIFY(second->SaveTransaction().ok);

        clock.advanceDays(9);
        auto third = open();
        QVERIFY(third);
        checkAgainstRows(*third);
        QVERIFY(runCommand(*third, "A", "S88"));
        QVERIFY(third->UpdateTotals().SettleAllOSAmt > Money());
        QVERIFY(third->SaveTransaction().ok);

        auto fourth = open();
        QVERIFY(fourth);
        checkAgainstRows(*fourth);
        for (const OrderLine& line : fourth->OrderLines())
            QCOMPARE(line.OSAmt, Money());
        QVERIFY(messages.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVisitDemo)
#include "tst_visit_demo.moc"
