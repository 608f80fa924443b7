#include "demovisit.h"

#include "serials.h"
#include "utility.h"

#include <algorithm>

namespace demo {

namespace {

const QString Employee = QStringLiteral("13");
const QString Out = QStringLiteral("0");
const QString Returned = QStringLiteral("1");

// A line can be renewed while it has room for the rows a renewal adds.
constexpr qsizetype MaxPayments = 30;

} // namespace

Money salePrice(const CategoryRec& category, qint64 n) {
    const qint64 p = category.PromoteQty;
    if (p <= 0 || p > n)
        return category.UnitPrice * n;
    return category.PromotePrice * (n / p) + category.UnitPrice * (n % p);
}

DemoVisit::DemoVisit(Connection& db, Catalogue& catalogue, History& history,
                     const QString& customerID, const QDateTime& at)
    : m_db(db), m_catalogue(catalogue), m_history(history), m_customerID(customerID), m_at(at) {
    for (const RentalLine& line : m_history.lines) {
        if (line.detail.RentStatus == Out &&
            m_history.order(line.detail.OrderID).CustomerID == customerID) {
            m_orderID = line.detail.OrderID;
            break;
        }
    }
}

QList<int> DemoVisit::openLines() const {
    QList<int> open;
    if (m_orderID.isEmpty())
        return open;
    for (int i = 0; i < m_history.lines.size(); ++i) {
        const rows::OrderDetail& d = m_history.lines.at(i).detail;
        if (d.OrderID == m_orderID && d.RentStatus == Out)
            open << i;
    }
    std::sort(open.begin(), open.end(), [this](int a, int b) {
        const rows::OrderDetail& x = m_history.lines.at(a).detail;
        const rows::OrderDetail& y = m_history.lines.at(b).detail;
        return std::tie(x.EndDate, x.OrderIdx) < std::tie(y.EndDate, y.OrderIdx);
    });
    return open;
}

const CategoryRec& DemoVisit::categoryOf(const RentalLine& line) const {
    return m_catalogue.copies.at(line.copy).category;
}

rows::Payment DemoVisit::charge(const RentalLine& line, qint64 renewIndex, const QString& payType,
                                Money rate, qint64 quantity, bool free, bool paid) const {
    rows::Payment p;
    p.InDate = m_at;
    p.ModDate = m_at;
    p.OrderIdx = line.detail.OrderIdx;
    p.OrderID = line.detail.OrderID;
    p.ItemID = line.detail.ItemID;
    p.RenewIndex = renewIndex;
    p.PayType = payType;
    p.UnitRate = rate;
    p.Quantity = quantity;
    p.Discount = free ? 1 : 0;
    p.ChargeAmt = free ? Money() : rate * quantity;
    p.StartDate = line.detail.StartDate;
    p.EndDate = line.detail.EndDate;
    p.SettleDate = paid ? m_at.date() : NoDate;
    p.PayStatus = paid ? QStringLiteral("Y") : QStringLiteral("N");
    p.PayDate = p.SettleDate;
    return p;
}

void DemoVisit::addLateCharge(RentalLine& line, qint64 daysLate, bool paid) const {
    if (daysLate >= 1)
        line.payments << charge(line, line.lastRenewIndex, QStringLiteral("1"),
                                categoryOf(line).OverDueRate, daysLate, false, paid);
}

// Every unsettled row of the line is settled today; with `pay`, every owed row is paid too.
void DemoVisit::settle(RentalLine& line, bool pay) const {
    for (rows::Payment& p : line.payments) {
        if (p.SettleDate == NoDate) {
            p.SettleDate = m_at.date();
            p.ModDate = m_at;
        }
        if (pay && p.PayStatus == QStringLiteral("N")) {
            p.PayStatus = QStringLiteral("Y");
            p.PayDate = m_at.date();
            p.ModDate = m_at;
        }
    }
}

void DemoVisit::setStatus(int copy, const QString& status) {
    rows::Item& item = m_catalogue.copies[copy].item;
    item.Status = status;
    item.ModDate = m_at;
}

void DemoVisit::returnLine(int index) {
    RentalLine& line = m_history.lines[index];
    const qint64 daysLate = line.detail.EndDate.daysTo(m_at.date());
    line.detail.ModDate = m_at;
    line.detail.RentStatus = Returned;
    line.detail.ReturnDate = m_at.date();
    addLateCharge(line, daysLate, true);
    settle(line, true);
    setStatus(line.copy, QStringLiteral("0"));
}

bool DemoVisit::renewLine(int index, qint64 units, bool cash) {
    RentalLine& line = m_history.lines[index];
    if (line.payments.size() + 4 >= MaxPayments)
        return false;
    const qint64 daysLate = line.detail.EndDate.daysTo(m_at.date());
    // Renewed before the due day begins, the new period follows on; later, it starts now.
    const QDateTime due(line.detail.EndDate, QTime(0, 0));
    line.detail.ModDate = m_at;
    line.detail.StartDate = m_at <= due ? due : m_at;
    line.detail.EndDate =
        line.detail.StartDate.date().addDays(categoryOf(line).RentUnitDays * units);
    addLateCharge(line, daysLate, cash);
    ++line.lastRenewIndex;
    line.payments << charge(line, line.lastRenewIndex, QStringLiteral("2"),
                            categoryOf(line).RentUnitRate, units, false, cash);
    settle(line, cash);
    return true;
}

bool DemoVisit::openOrder() {
    if (!m_orderID.isEmpty())
        return true;
    m_orderID = GetSerialNo(m_db, QStringLiteral("OrderID"));
    if (m_orderID.isEmpty())
        return false;
    m_history.orders << rows::Order{m_at, m_at, m_orderID, m_customerID, Employee, {}, {}};
    m_newOrder = true;
    return true;
}

bool DemoVisit::rent(int copy, qint64 units, bool free) {
    if (!openOrder())
        return false;
    RentalLine line;
    line.copy = copy;
    line.detail = {m_at,
                   m_at,
                   GetSerialNo(m_db, QStringLiteral("OrderIdx")),
                   m_orderID,
                   m_catalogue.copies.at(copy).item.ItemID,
                   Out,
                   m_at,
                   m_at,
                   m_at.date().addDays(categoryOf(line).RentUnitDays * units),
                   NoDate};
    if (line.detail.OrderIdx.isEmpty())
        return false;
    line.payments << charge(line, 0, free ? QStringLiteral("3") : QStringLiteral("0"),
                            categoryOf(line).RentUnitRate, units, free, true);
    m_history.lines << line;
    setStatus(copy, QStringLiteral("1"));
    return true;
}

void DemoVisit::sell(int rateCode, qint64 quantity) {
    const Copy& code = m_catalogue.copies.at(rateCode);
    const Money price = salePrice(code.category, quantity);
    m_history.sales << rows::Sale{
        m_at,     m_at,  m_at.date(), code.item.ItemID, {},    Employee, m_customerID,
        quantity, price, Money(),     Money(),          price, {}};
}

void DemoVisit::finish() {
    if (m_newOrder || m_orderID.isEmpty())
        return;
    rows::Order& order = m_history.order(m_orderID);
    order.ModDate = m_at;
    order.EmployeeID = Employee;
}

} // namespace demo
