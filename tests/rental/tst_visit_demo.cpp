#include "Connection.h"
#include "ScriptedMessages.h"
#include "TestClock.h"
#include "Visit.h"
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

    QVariant value(const QString& sql, const QVariantList& values = {}) {
        auto q = db->run(sql, values, QStringLiteral("test"));
        return q && q->next() ? q->value(0) : QVariant();
    }
    QStringList column(const QString& sql, const QVariantList& values = {}) {
        QStringList all;
        auto q = db->run(sql, values, QStringLiteral("test"));
        while (q && q->next())
            all << q->value(0).toString();
        return all;
    }

    std::unique_ptr<Visit> open() {
        auto visit =
            std::make_unique<Visit>(*db, clock, OpCodeRec::defaults(), QStringLiteral("13"));
        const Outcome outcome = visit->Start(member);
        return outcome.ok ? std::move(visit) : nullptr;
    }

    // The open lines of the member as stored, with what each still owes.
    void checkAgainstRows(const Visit& visit) {
        const QStringList open = column(
            QStringLiteral(
                "SELECT d.ItemID FROM Order_Details d JOIN Orders o ON o.OrderID = d.OrderID "
                "WHERE o.CustomerID = ? AND d.RentStatus = '0' ORDER BY d.EndDate, d.OrderIdx"),
            {member});
        QStringList shown;
        for (const OrderLine& line : visit.OrderLines()) {
            shown << line.ItemID;
            const qint64 owed =
                value(QStringLiteral("SELECT coalesce(sum(ChargeAmt), 0) FROM Order_Payment "
                                     "WHERE ItemID = ? AND OrderIdx = ? AND PayStatus = 'N'"),
                      {line.ItemID, line.OrderIdx})
                    .toLongLong();
            QCOMPARE(line.OSAmt.units(), owed);
        }
        QCOMPARE(shown, open);
        QCOMPARE(visit.ExistRentCount(), qint64(open.size()));
        const qint64 charged =
            value(QStringLiteral("SELECT coalesce(sum(p.Quantity), 0) FROM Order_Payment p JOIN "
                                 "Orders o ON o.OrderID = p.OrderID "
                                 "WHERE o.CustomerID = ? AND p.PayType <> '1'"),
                  {member})
                .toLongLong();
        const qint64 bought =
            value(
                QStringLiteral("SELECT coalesce(sum(Quantity), 0) FROM Sales WHERE CustomerID = ?"),
                {member})
                .toLongLong();
        QCOMPARE(visit.customer().RentTimes - baseRentTimes, charged);
        QCOMPARE(visit.customer().BuyCount - baseBuyCount, bought);
    }

    qint64 baseRentTimes = 0;
    qint64 baseBuyCount = 0;

private Q_SLOTS:
    void initTestCase() {
        const QString path = dir.filePath(Connection::LiveFile);
        QString error;
        WorkingFileSpec spec{QDateTime(QDate(2024, 2, 1), QTime(9, 0)), QStringLiteral("DEMO"),
                             [](Connection& c) { return addDemoShop(c, QDate(2024, 2, 29)); }};
        QVERIFY2(createWorkingFile(path, spec, messages, error), qPrintable(error));
        db = std::make_unique<Connection>(messages, dir.path());
        QVERIFY(db->OpenDatabase());
        // An active member with an overdue line still out.
        member =
            value(QStringLiteral(
                      "SELECT o.CustomerID FROM Orders o JOIN Order_Details d ON d.OrderID = "
                      "o.OrderID "
                      "JOIN Customers c ON c.CustomerID = o.CustomerID WHERE d.RentStatus = '0' "
                      "AND d.EndDate < '2024-03-01' AND c.Active = 'Y' ORDER BY o.CustomerID LIMIT "
                      "1"))
                .toString();
        QVERIFY(!member.isEmpty());
        baseRentTimes =
            value(
                QStringLiteral("SELECT coalesce(RentTimes, 0) FROM Customers WHERE CustomerID = ?"),
                {member})
                .toLongLong();
        baseBuyCount =
            value(
                QStringLiteral("SELECT coalesce(BuyCount, 0) FROM Customers WHERE CustomerID = ?"),
                {member})
                .toLongLong();
    }

    void visitsAddUp() {
        auto first = open();
        QVERIFY(first);
        checkAgainstRows(*first);
        const QString overdue = first->OrderLines().first().ItemID;
        QVERIFY(first->OrderLines().first().LateAmt > Money());
        const QStringList shelf =
            column(QStringLiteral("SELECT ItemID FROM Items WHERE Status = '0' "
                                  "ORDER BY ItemID LIMIT 2"));
        QCOMPARE(shelf.size(), 2);
        QVERIFY(first->ExecuteCommand(QStringLiteral("R"), overdue, {}).ok);
        QVERIFY(first->ExecuteCommand(QStringLiteral("A"), shelf[0], QStringLiteral("02")).ok);
        QVERIFY(first->ExecuteCommand(QStringLiteral("F"), shelf[1], QStringLiteral("01")).ok);
        QVERIFY(first
                    ->ExecuteCommand(QStringLiteral("S"), QStringLiteral("S00001"),
                                     QStringLiteral("02"))
                    .ok);
        QVERIFY(first->SaveTransaction().ok);
        QCOMPARE(value(QStringLiteral("SELECT Status FROM Items WHERE ItemID = ?"), {overdue})
                     .toString(),
                 QStringLiteral("0"));

        clock.advanceDays(1);
        auto second = open();
        QVERIFY(second);
        checkAgainstRows(*second);
        QVERIFY(second->ExecuteCommand(QStringLiteral("RR*"), shelf[0], QStringLiteral("01")).ok);
        QVERIFY(second->SaveTransaction().ok);

        clock.advanceDays(9);
        auto third = open();
        QVERIFY(third);
        checkAgainstRows(*third);
        QVERIFY(third->ExecuteCommand(QStringLiteral("A"), QStringLiteral("S88"), {}).ok);
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
