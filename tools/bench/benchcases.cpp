#include "benchcases.h"

#include "benchreports.h"
#include "benchshop.h"
#include "benchvisit.h"
#include "catalogue.h"
#include "customers.h"
#include "inquiryrun.h"
#include "orders.h"
#include "stats.h"

#include <QTime>

namespace {

// The clerk waits for these.
constexpr double CounterMs = 5;
constexpr double NameSearchMs = 0.5;
constexpr qint64 LargeShopMembers = 20000;
constexpr double SummaryMs = 200;
constexpr double RebuildMs = 3000;

bool findMember(Connection& db, CustFindBy kind, const QString& value) {
    QList<CustomerRec> hits;
    return FindCustomerID(db, kind, true, value, hits);
}

// What the visit screen does when it opens on a member.
bool openVisit(BenchShop& shop) {
    CustomerRec customer;
    customer.CustomerID = shop.memberID;
    QString orderID, holder;
    OrderRec order;
    QList<OrderLine> lines;
    return GetCustomer(shop.db(), customer) && RefreshCustStats(shop.db(), customer) &&
           FindOrderID(shop.db(), OrderFindBy::Customer, shop.memberID, orderID, holder) &&
           LoadOrder(shop.db(), orderID, shop.visitDay, order, lines);
}

bool lookUpItem(BenchShop& shop) {
    ItemRateRec rates;
    return GetItemRate(shop.db(), rates, shop.overdue.ItemID);
}

VisitWrites typicalVisit(BenchShop& shop) {
    VisitWrites v;
    v.now = QDateTime(shop.visitDay, QTime(16, 0));
    v.order = shop.order;
    v.back = shop.overdue;
    for (const QString& itemID : shop.shelfCopies) {
        ItemRateRec rates;
        GetItemRate(shop.db(), rates, itemID);
        rates.Quantity = 1;
        v.rentals << rates;
    }
    GetItemRate(shop.db(), v.sale, shop.saleCode);
    v.sale.Quantity = 2;
    return v;
}

// The transaction summary of the report inquiry: every sum of the period, then the summary
// row rewritten in a transaction of its own.
bool summarise(Connection& db, const QDate& first, const QDate& last) {
    return QryDailyRpt(db, first, last, first.toString(QStringLiteral("MM/yyyy")));
}

// A counter operation, held to its time and to its distance from the same statements raw.
BenchCase counterCase(const QString& name, double targetMs, std::function<bool()> run,
                      double ratioGoal = 0) {
    return {.name = name,
            .targetMs = targetMs,
            .run = std::move(run),
            .compareRaw = true,
            .ratioGoal = ratioGoal};
}

QList<BenchCase> counterCases(BenchShop& shop) {
    Connection& db = shop.db();
    const VisitWrites visit = typicalVisit(shop);
    // A name search answers as the clerk types; a very large shop may take twice as long.
    const double nameMs = shop.members > LargeShopMembers ? 2 * NameSearchMs : NameSearchMs;
    return {
        counterCase(
            QStringLiteral("find member by number"), CounterMs,
            [&db, &shop] { return findMember(db, CustFindBy::CustomerID, shop.memberID); }, 2),
        counterCase(
            QStringLiteral("find member by name fragment"), nameMs,
            [&db, &shop] { return findMember(db, CustFindBy::EnglishName, shop.nameFragment); }),
        counterCase(
            QStringLiteral("open a visit"), CounterMs, [&shop] { return openVisit(shop); }, 1.5),
        counterCase(
            QStringLiteral("item rate"), CounterMs, [&shop] { return lookUpItem(shop); }, 2),
        counterCase(QStringLiteral("visit writes, rolled back"), CounterMs,
                    [&db, visit] { return writeVisitRolledBack(db, visit); }),
    };
}

QList<BenchCase> summaryCases(BenchShop& shop) {
    Connection& db = shop.db();
    const QDate day = shop.day;
    const QDate first = shop.monthFirst();
    const QDate last = shop.monthLast();
    return {
        {.name = QStringLiteral("one-day summary"),
         .targetMs = SummaryMs,
         .run = [&db, day] { return summarise(db, day, day); },
         .compareRaw = true},
        {.name = QStringLiteral("one-month summary"),
         .targetMs = SummaryMs,
         .run = [&db, first, last] { return summarise(db, first, last); },
         .compareRaw = true},
    };
}

QList<BenchCase> rebuildCases(BenchShop& shop) {
    Connection& db = shop.db();
    return {
        {QStringLiteral("rebuild Cust_Temp"), RebuildMs, [&db] { return RebuildCustTemp(db); }},
        {QStringLiteral("rebuild Item_Temp"), RebuildMs, [&db] { return RebuildItemTemp(db); }},
    };
}

} // namespace

QList<BenchCase> benchCases(BenchShop& shop) {
    return counterCases(shop) + summaryCases(shop) + rebuildCases(shop) + reportCases(shop);
}
