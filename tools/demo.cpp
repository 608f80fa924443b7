#include "demo.h"

#include "Connection.h"
#include "DemoRandom.h"
#include "democatalogue.h"
#include "demohistory.h"
#include "demomembers.h"
#include "serials.h"
#include "utility.h"

#include <QTime>

namespace {

struct AdjustmentSpec {
    int daysAgo;
    const char* description;
    qint64 cents;
    const char* receipt;
    bool forFirstOrder;
};

const AdjustmentSpec Adjustments[] = {
    {24, "CASH SHORT AT CLOSING", -2000, "", false},
    {18, "PETTY CASH - CLEANING SUPPLIES", -4550, "", false},
    {11, "REFUND: DAMAGED DISC", -2500, "", true},
    {6, "CASH OVER AT CLOSING", 1200, "", false},
    {2, "MEMBERSHIP DEPOSIT", 10000, "R00057", false},
};

// Money in and out of the till outside the visits, as the adjustment form records it.
bool addAdjustments(Connection& db, const QDate& today, const demo::History& history) {
    for (const AdjustmentSpec& s : Adjustments) {
        rows::AcctAdjust a;
        a.AdjustDate = today.addDays(-s.daysAgo);
        a.CreateDate = a.AdjustDate;
        a.InDate = QDateTime(a.AdjustDate, QTime(22, 15));
        a.ModDate = a.InDate;
        a.AdjustID = GetSerialNo(db, QStringLiteral("AdjustID"));
        a.Description = QString::fromUtf8(s.description);
        a.AdjustAmt = Money::fromUnits(s.cents * 100);
        a.EmployeeID = QStringLiteral("13");
        a.OrderID = s.forFirstOrder && !history.orders.isEmpty()
                        ? history.orders.constFirst().OrderID
                        : QString();
        a.ReceiptNum = QString::fromUtf8(s.receipt);
        if (a.AdjustID.isEmpty() || !rows::insertAcctAdjust(db, a))
            return false;
    }
    return true;
}

bool buildShop(Connection& db, const QDate& today) {
    DemoRandom random;
    demo::Catalogue catalogue;
    demo::History history;
    const QList<rows::Customer> members = demo::buildMembers(today, random);
    if (!demo::buildCatalogue(db, today, random, catalogue) ||
        !demo::playHistory(db, today, members, catalogue, random, history))
        return false;
    demo::retireCopies(catalogue, random);
    return demo::writeCatalogue(db, catalogue) && demo::writeMembers(db, members) &&
           demo::writeHistory(db, history) && addAdjustments(db, today, history);
}

} // namespace

bool addDemoShop(Connection& db, const QDate& today) {
    TransactionGuard tx(db);
    return tx.begun() && buildShop(db, today) && tx.commit();
}
