#include "benchvisit.h"

#include "Connection.h"
#include "charges.h"
#include "pricing.h"
#include "serials.h"

namespace {

const QString Employee = QStringLiteral("13");

bool setStatus(Connection& db, const QString& itemID, const QString& status, const QDateTime& now) {
    ItemRec item;
    item.ItemID = itemID;
    item.ModDate = now;
    item.Status = status;
    return UpdateItemStatus(db, item);
}

bool writeReturn(Connection& db, OrderLine line, const QDateTime& now) {
    PrepareReturnedLine(line, now);
    if (!UpdateOrderDetail(db, line))
        return false;
    for (const PaymentRec& row : line.payments) {
        if (row.IsNewPayment && !InsertPayment(db, row))
            return false;
    }
    PaymentRec stamp;
    stamp.ModDate = now;
    stamp.SettleDate = stamp.PayDate = now.date();
    stamp.OrderIdx = line.OrderIdx;
    return SettlePayments(db, stamp) && PayPayments(db, stamp) &&
           setStatus(db, line.ItemID, QStringLiteral("0"), now);
}

bool writeRental(Connection& db, const ItemRateRec& rates, const QString& orderID,
                 const QDateTime& now) {
    OrderLine line = NewRentalLine(rates, orderID, false, now);
    line.OrderIdx = GetSerialNo(db, QStringLiteral("OrderIdx"));
    line.payments.first().OrderIdx = line.OrderIdx;
    return !line.OrderIdx.isEmpty() && InsertOrderDetail(db, line) &&
           InsertPayment(db, line.payments.first()) &&
           setStatus(db, rates.ItemID, QStringLiteral("1"), now);
}

bool writeSale(Connection& db, const ItemRateRec& rates, const QString& customerID,
               const QDateTime& now) {
    const OrderLine line = NewSaleLine(rates, now);
    SaleRec sale;
    sale.InDate = sale.ModDate = now;
    sale.SaleDate = now.date();
    sale.RateID = rates.ItemID;
    sale.EmployeeID = Employee;
    sale.CustomerID = customerID;
    sale.Quantity = rates.Quantity;
    sale.GrossAmt = sale.NetAmt = line.OSAmt;
    return InsertSale(db, sale);
}

} // namespace

bool writeVisitRolledBack(Connection& db, const VisitWrites& visit) {
    TransactionGuard transaction(db);
    OrderRec order = visit.order;
    order.ModDate = visit.now;
    order.EmployeeID = Employee;
    if (!transaction.begun() || !UpdateOrder(db, order) || !writeReturn(db, visit.back, visit.now))
        return false;
    for (const ItemRateRec& rates : visit.rentals) {
        if (!writeRental(db, rates, order.OrderID, visit.now))
            return false;
    }
    return writeSale(db, visit.sale, order.CustomerID, visit.now);
}
