#include "demo.h"

#include "Connection.h"
#include "ShopRandom.h"
#include "adjustments.h"
#include "democatalogue.h"
#include "demomembers.h"
#include "shopwriter.h"
#include "trade.h"

#include <QTime>

namespace {

constexpr int HistoryDays = 28;

struct AdjustmentSpec {
    int daysAgo;
    const char* description;
    qint64 cents;
    const char* receipt;
    bool forAnOrder;
};

const AdjustmentSpec Adjustments[] = {
    {24, "CASH SHORT AT CLOSING", -2000, "", false},
    {18, "PETTY CASH - CLEANING SUPPLIES", -4550, "", false},
    {11, "REFUND: DAMAGED DISC", -2500, "", true},
    {6, "CASH OVER AT CLOSING", 1200, "", false},
    {2, "MEMBERSHIP DEPOSIT", 10000, "R00057", false},
};

// Money in and out of the till outside the visits, as the adjustment form records it, at
// closing time of the day `daysAgo`; a refund names the day's latest order.
bool addAdjustments(shop::ShopWriter& writer, const QDate& day, int daysAgo,
                    const QString& latestOrderID) {
    for (const AdjustmentSpec& s : Adjustments) {
        if (s.daysAgo != daysAgo)
            continue;
        AcctAdjustRec a;
        a.AdjustDate = a.CreateDate = day;
        a.InDate = a.ModDate = QDateTime(day, QTime(22, 15));
        a.Description = QString::fromUtf8(s.description);
        a.AdjustAmt = Money::fromUnits(s.cents * 100);
        a.EmployeeID = QStringLiteral("13");
        a.OrderID = s.forAnOrder ? latestOrderID : QString();
        a.ReceiptNum = QString::fromUtf8(s.receipt);
        if (!writer.writeAdjustment(a))
            return false;
    }
    return true;
}

// Found when the copies were last checked: some damaged, some sold off.
const QStringList Retired = {QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("2"),
                             QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("3"),
                             QStringLiteral("3")};

const shop::TradeSettings DemoTrade{0.05};

bool buildShop(Connection& db, const QDate& today) {
    ShopRandom random;
    shop::ShopWriter writer(db);
    shop::Trade trade(writer, random, DemoTrade);
    if (!writer.start() || !demo::addCatalogue(writer, trade.shelves(), today, random) ||
        !demo::addMembers(writer, trade, today, random))
        return false;
    for (int back = HistoryDays - 1; back >= 0; --back) {
        const QDate day = today.addDays(-back);
        if (!trade.playDay(day) || !addAdjustments(writer, day, back, trade.latestOrderID()))
            return false;
    }
    trade.retireCopies(Retired, QDateTime(today, QTime(22, 30)));
    return trade.finish() && writer.storeCounters();
}

} // namespace

bool addDemoShop(Connection& db, const QDate& today) {
    TransactionGuard tx(db);
    return tx.begun() && buildShop(db, today) && tx.commit();
}
