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

const QString MemberServed =
    QStringLiteral("Customer (%1) was served at another counter; open the visit again.");
const QString RentedElsewhere = QStringLiteral("The Item (%1) was rented out at another counter!");
const QString LineChanged =
    QStringLiteral("The Item (%1) was changed at another counter; open the visit again.");
const QString ChargesCollected =
    QStringLiteral("The charges of the Item (%1) were collected at another counter!");
const QString ReturnedElsewhere = QStringLiteral("The Item (%1) was returned at another counter!");

bool newRentalKept(const OrderLine& line) {
    return line.IsNewRent && !line.IsDeleted;
}

} // namespace

Outcome Visit::SaveTransaction() {
    const State before = m_state;
    m_saveTime = m_clock.now();
    m_conflict.clear();
    Outcome outcome;
    bool ok = false;
    {
        // Rolled back on any failure, the commit's own included, so nothing stays locked.
        TransactionGuard transaction(m_db);
        ok = transaction.begun() &&
             claimed(ClaimMember(m_db, m_state.customer.CustomerID, m_state.existRentCount),
                     MemberServed, m_state.customer.CustomerID) &&
             (m_state.newOrder ? SaveNewOrder(outcome) : SaveExistingOrder(outcome)) &&
             transaction.commit();
    }
    if (!ok) {
        // What the save did to the lines (numbers, prepared charge rows) is undone, so
        // saving again writes every row exactly once.
        m_state = before;
        outcome.ok = false;
        if (m_conflict.isEmpty())
            outcome.note(QStringLiteral("Save record error!\rRecord NOT save"),
                         MsgIcon::Exclamation);
        else
            outcome.note(m_conflict, MsgIcon::Exclamation);
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
            const QDateTime read = line.ModDate;
            PrepareReturnedLine(line, m_saveTime);
            ok = saveChangedLine(line, read, true, true);
        } else if (line.IsRenewed) {
            const QDateTime read = line.ModDate;
            PrepareRenewedLine(line, m_saveTime);
            ok = saveChangedLine(line, read, line.IsPaidNow, false);
        } else if (line.IsSettled) {
            const QDateTime read = line.ModDate;
            PrepareSettledLine(line, m_saveTime);
            ok = saveChangedLine(line, read, true, false);
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
    return claimed(MoveItem(m_db, line.ItemID, m_saveTime, ItemIn, ItemOut), RentedElsewhere,
                   line.ItemID);
}

// A returned, renewed or settled line: its row, its new charges, then every older charge
// settled today and, when paid now, paid today. The line as read decides which charges are
// owed, so a line stored since at another counter is not stored again.
bool Visit::saveChangedLine(OrderLine& line, const QDateTime& read, bool pay, bool itemBack) {
    if (!claimed(StoreLine(m_db, line, read), LineChanged, line.ItemID))
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
    // Every owed row of the line, those written just now included, is settled (and paid) here.
    const auto owed = [&line](const auto& unsettled) {
        return qint64(std::count_if(line.payments.begin(), line.payments.end(), unsettled));
    };
    const qint64 unsettled = owed([](const PaymentRec& p) { return p.SettleDate == NoDate; });
    const qint64 unpaid =
        owed([](const PaymentRec& p) { return p.PayStatus == PayStatusCode::Unpaid; });
    if (!claimed(Counted(SettlePayments(m_db, stamp), unsettled), ChargesCollected, line.ItemID) ||
        (pay && !claimed(Counted(PayPayments(m_db, stamp), unpaid), ChargesCollected, line.ItemID)))
        return false;
    return !itemBack || claimed(MoveItem(m_db, line.ItemID, m_saveTime, ItemOut, ItemIn),
                                ReturnedElsewhere, line.ItemID);
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

bool Visit::claimed(Claim claim, const QString& conflict, const QString& what) {
    if (claim == Claim::Changed)
        m_conflict = conflict.arg(what);
    return claim == Claim::Written;
}
