#include "tradevisit.h"

#include "charges.h"
#include "pricing.h"
#include "shelves.h"
#include "shopwriter.h"
#include "utility.h"

#include <algorithm>

namespace shop {

namespace {

const QString Employee = QStringLiteral("13");

// What the save's settlement statements do to the line's stored charges: every unsettled one
// is settled today and, when paid now, every unpaid one is paid today.
void settle(OrderLine& line, const QDateTime& at, bool pay) {
    for (PaymentRec& p : line.payments) {
        if (p.SettleDate == NoDate) {
            p.SettleDate = at.date();
            p.ModDate = at;
        }
        if (pay && p.PayStatus == PayStatusCode::Unpaid) {
            p.PayStatus = PayStatusCode::Paid;
            p.PayDate = at.date();
            p.ModDate = at;
        }
    }
}

} // namespace

TradeVisit::TradeVisit(ShopWriter& writer, Shelves& shelves, Account& account,
                       const QString& customerID, const QDateTime& at)
    : m_writer(writer), m_shelves(shelves), m_account(account), m_customerID(customerID), m_at(at) {
}

bool TradeVisit::returnLine(qsizetype i) {
    OrderLine& line = m_account.lines[i];
    line.LateAmt = LateChargeOn(line, m_at.date());
    PrepareReturnedLine(line, m_at);
    settle(line, m_at, true);
    m_back.append(m_shelves.indexOf(line.ItemID));
    return m_writer.writeLine(line);
}

bool TradeVisit::renewLine(qsizetype i, qint64 units, bool cash) {
    OrderLine& line = m_account.lines[i];
    if (line.payments.size() + 4 >= MaxLoadedPayments)
        return false;
    line.LateAmt = LateChargeOn(line, m_at.date());
    line.StartDate = RenewalStart(line.EndDate, m_at);
    line.item.Quantity = units;
    line.EndDate = DueDate(line.StartDate, line.item, units);
    ++line.LastRenewIndex;
    line.IsPaidNow = cash;
    PrepareRenewedLine(line, m_at);
    settle(line, m_at, cash);
    return true;
}

OrderRec& TradeVisit::order() {
    if (!m_account.order) {
        OrderRec o;
        o.InDate = o.ModDate = m_at;
        o.OrderID = m_writer.take(Counter::OrderID);
        o.CustomerID = m_customerID;
        o.EmployeeID = Employee;
        m_account.order = o;
        m_newOrder = true;
    }
    return *m_account.order;
}

void TradeVisit::rent(int copy, qint64 units, bool free) {
    ItemRateRec rates = m_shelves.copy(copy).rates;
    rates.Quantity = units;
    OrderLine line = NewRentalLine(rates, order().OrderID, free, m_at);
    line.OrderIdx = m_writer.take(Counter::OrderIdx);
    line.payments.first().OrderIdx = line.OrderIdx;
    m_shelves.takeOut(copy, m_at);
    m_account.lines.append(line);
}

bool TradeVisit::sell(int saleCode, qint64 quantity) {
    ItemRateRec rates = m_shelves.copy(saleCode).rates;
    rates.Quantity = quantity;
    SaleRec sale;
    sale.InDate = sale.ModDate = m_at;
    sale.SaleDate = m_at.date();
    sale.RateID = rates.ItemID;
    sale.EmployeeID = Employee;
    sale.CustomerID = m_customerID;
    sale.Quantity = quantity;
    sale.GrossAmt = sale.NetAmt = SalePrice(rates, quantity);
    return m_writer.writeSale(sale);
}

bool TradeVisit::finish(bool changed) {
    if (changed && m_account.order && !m_newOrder) {
        m_account.order->ModDate = m_at;
        m_account.order->EmployeeID = Employee;
    }
    QList<OrderLine>& lines = m_account.lines;
    lines.removeIf([](const OrderLine& l) { return l.RentStatus == RentStatusCode::Returned; });
    std::stable_sort(lines.begin(), lines.end(), [](const OrderLine& a, const OrderLine& b) {
        return std::tie(a.EndDate, a.OrderIdx) < std::tie(b.EndDate, b.OrderIdx);
    });
    // Copies handed back wait behind the counter until the member has gone.
    for (int copy : m_back)
        m_shelves.putBack(copy, m_at);
    if (!lines.isEmpty() || !m_account.order)
        return true;
    const OrderRec done = *m_account.order;
    m_account.order.reset();
    return m_writer.writeOrder(done);
}

} // namespace shop
