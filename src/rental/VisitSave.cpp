#include "Clock.h"
#include "Connection.h"
#include "Visit.h"
#include "catalogue.h"
#include "charges.h"
#include "serials.h"
#include "utility.h"

namespace {

const QString ItemOut = QStringLiteral("1");
const QString ItemIn = QStringLiteral("0");

bool newRentalKept(const OrderLine& line) {
    return line.IsNewRent && !line.IsDeleted;
}

} // namespace

Outcome Visit::SaveTransaction() {
    const State before = m_state;
    m_saveTime = m_clock.now();
    Outcome outcome;
    bool ok = false;
    {
        // Rolled back on any failure, the commit's own included, so nothing stays locked.
        TransactionGuard transaction(m_db);
        ok = transaction.begun() &&
             (m_state.newOrder ? SaveNewOrder(outcome) : SaveExistingOrder(outcome)) &&
             transaction.commit();
    }
    if (!ok) {
        // What the save did to the lines (numbers, prepared charge rows) is undone, so
        // saving again writes every row exactly once.
        m_state = before;
        outcome.ok = false;
        outcome.note(QStringLiteral("Save record error!\rRecord NOT save"), MsgIcon::Exclamation);
    }
    return outcome;
}

bool Visit::SaveNewOrder(Outcome& outcome) {
    const bool hasNew = std::any_of(m_state.lines.begin(), m_state.lines.end(), newRentalKept);
    if (!hasNew)
        return SaveOrderLines(outcome);
    const QString orderID = GetSerialNo(m_db, QStringLiteral("OrderID"));
    if (orderID.isEmpty())
        return false;
    OrderRec& order = m_state.order;
    order = OrderRec();
    order.InDate = order.ModDate = m_saveTime;
    order.OrderID = orderID;
    order.CustomerID = m_state.customer.CustomerID;
    order.EmployeeID = m_employeeID;
    if (!InsertOrder(m_db, order))
        return false;
    for (OrderLine& line : m_state.lines) {
        if (!newRentalKept(line))
            continue;
        line.OrderID = orderID;
        for (PaymentRec& pay : line.payments)
            pay.OrderID = orderID;
    }
    return SaveOrderLines(outcome);
}

bool Visit::SaveExistingOrder(Outcome& outcome) {
    m_state.order.ModDate = m_saveTime;
    m_state.order.EmployeeID = m_employeeID;
    return UpdateOrder(m_db, m_state.order) && SaveOrderLines(outcome);
}

bool Visit::SaveOrderLines(Outcome& outcome) {
    for (OrderLine& line : m_state.lines) {
        bool ok = true;
        if (line.IsDeleted)
            continue;
        if (line.IsNewRent) {
            ok = saveNewRental(line, outcome);
        } else if (line.IsReturned) {
            PrepareReturnedLine(line, m_saveTime);
            ok = saveChangedLine(line, true, true);
        } else if (line.IsRenewed) {
            PrepareRenewedLine(line, m_saveTime);
            ok = saveChangedLine(line, line.IsPaidNow, false);
        } else if (line.IsSettled) {
            PrepareSettledLine(line, m_saveTime);
            ok = saveChangedLine(line, true, false);
        } else if (line.IsSale) {
            ok = saveSale(line);
        }
        if (!ok)
            return false;
    }
    return true;
}

bool Visit::saveNewRental(OrderLine& line, Outcome& outcome) {
    line.OrderIdx = GetSerialNo(m_db, QStringLiteral("OrderIdx"));
    if (line.OrderIdx.isEmpty() || !InsertOrderDetail(m_db, line))
        return false;
    if (line.payments.size() == 1) {
        line.payments.first().OrderIdx = line.OrderIdx;
        if (!InsertPayment(m_db, line.payments.first()))
            return false;
    } else {
        outcome.note(QStringLiteral("debug: Error in saving new item's payment!"));
    }
    return setItemStatus(line.ItemID, ItemOut);
}

// A returned, renewed or settled line: its row, its new charges, then every older charge
// settled today and, when paid now, paid today.
bool Visit::saveChangedLine(OrderLine& line, bool pay, bool itemBack) {
    if (!UpdateOrderDetail(m_db, line))
        return false;
    for (PaymentRec& row : line.payments) {
        if (!row.IsNewPayment)
            continue;
        row.OrderIdx = line.OrderIdx;
        if (!InsertPayment(m_db, row))
            return false;
    }
    PaymentRec stamp;
    stamp.ModDate = m_saveTime;
    stamp.SettleDate = stamp.PayDate = m_saveTime.date();
    stamp.PayStatus = QStringLiteral("Y");
    stamp.OrderIdx = line.OrderIdx;
    stamp.OrderID = line.OrderID;
    stamp.ItemID = line.ItemID;
    if (!SettlePayments(m_db, stamp) || (pay && !PayPayments(m_db, stamp)))
        return false;
    return !itemBack || setItemStatus(line.ItemID, ItemIn);
}

bool Visit::saveSale(const OrderLine& line) {
    SaleRec sale;
    sale.InDate = line.InDate;
    sale.ModDate = line.ModDate;
    sale.SaleDate = m_saveTime.date();
    sale.RateID = line.ItemID;
    sale.EmployeeID = m_employeeID;
    sale.CustomerID = m_state.customer.CustomerID;
    sale.Quantity = line.item.Quantity;
    sale.GrossAmt = sale.NetAmt = line.OSAmt;
    return InsertSale(m_db, sale);
}

bool Visit::setItemStatus(const QString& itemID, const QString& status) {
    ItemRec item;
    item.ItemID = itemID;
    item.ModDate = m_saveTime;
    item.Status = status;
    return UpdateItemStatus(m_db, item);
}
