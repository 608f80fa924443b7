#include "Clock.h"
#include "Connection.h"
#include "Visit.h"
#include "catalogue.h"
#include "lineflags.h"
#include "pricing.h"
#include "utility.h"

namespace {

const QString QuantityError = QStringLiteral("Quantity error!");
const QString NotInList = QStringLiteral("The Item not exist in (rental) list, invalid command!");

// Why an item cannot go out, or empty when it is on the shelf.
Notice refusalForStatus(const QString& status) {
    if (status == QLatin1String("0"))
        return {};
    if (status == QLatin1String("1"))
        return {QStringLiteral("The Item already rented out!"), MsgIcon::Exclamation};
    if (status == QLatin1String("2"))
        return {QStringLiteral("The Item already damaged!"), MsgIcon::Exclamation};
    if (status == QLatin1String("3"))
        return {QStringLiteral("The Item already sold out!"), MsgIcon::Exclamation};
    if (status == QLatin1String("4"))
        return {QStringLiteral("The Item ID is a Rate Code!"), MsgIcon::Exclamation};
    return {QStringLiteral("Item status error!"), MsgIcon::Critical};
}

} // namespace

Outcome Visit::ExecuteCommand(const QString& code, const QString& itemID, const QString& quantity) {
    if (itemID == SettleAllID)
        return DoSettleAllOS();
    const qint64 q = QuantityValue(quantity);
    if (code == m_codes.AddItem || code == m_codes.FreeItem)
        return addRental(itemID, q, code == m_codes.FreeItem);
    if (code == m_codes.ReturnItem)
        return returnItem(itemID);
    if (code == m_codes.RenewItemArrears)
        return renew(itemID, q, false);
    if (code == m_codes.RenewItemCash)
        return renew(itemID, q, true);
    if (code == m_codes.DeleteItem)
        return deleteItem(itemID);
    if (code == m_codes.SalesItem)
        return addSale(itemID, q);
    return Outcome::refused(QStringLiteral("Operation Command error!"));
}

qsizetype Visit::findLine(const QString& itemID,
                          const std::function<bool(const OrderLine&)>& kind) const {
    const QList<OrderLine>& lines = m_state.lines;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].ItemID == itemID && kind(lines[i]))
            return i;
    }
    return -1;
}

// Every line not deleted shows in the rental list, returned ones included.
bool Visit::listed(const QString& itemID) const {
    return findLine(itemID, [](const OrderLine& l) { return !l.IsDeleted; }) >= 0;
}

Outcome Visit::addRental(const QString& itemID, qint64 quantity, bool free) {
    if (quantity <= 0)
        return Outcome::refused(QuantityError);
    ItemRateRec rates;
    if (!GetItemRate(m_db, rates, itemID))
        return Outcome::refused(QStringLiteral("Item ID not exist!"));
    rates.Quantity = quantity;
    const Notice refusal = refusalForStatus(rates.Status);
    if (!refusal.text.isEmpty())
        return Outcome::refused(refusal.text, refusal.icon);
    if (listed(rates.ItemID))
        return Outcome::refused(
            QStringLiteral("The Item already exists in (rental) list, invalid command!"));
    const QString orderID = m_state.newOrder ? QString() : m_state.order.OrderID;
    m_state.lines.append(NewRentalLine(rates, orderID, free, m_clock.now()));
    return Outcome::done();
}

Outcome Visit::addSale(const QString& itemID, qint64 quantity) {
    if (quantity <= 0)
        return Outcome::refused(QuantityError);
    ItemRateRec rates;
    if (!GetItemRate(m_db, rates, itemID))
        return Outcome::refused(QStringLiteral("Sale Code not exist!"));
    rates.Quantity = quantity;
    if (rates.Status != QLatin1String("4"))
        return Outcome::refused(QStringLiteral("Rate Code error!"));
    if (listed(rates.ItemID))
        return Outcome::refused(
            QStringLiteral("The Item already exists in (rental) list,  invalid command!"));
    m_state.lines.append(NewSaleLine(rates, m_clock.now()));
    return Outcome::done();
}

Outcome Visit::returnItem(const QString& itemID) {
    const qsizetype i = findLine(itemID, IsOpenLine);
    if (i < 0)
        return Outcome::refused(NotInList);
    OrderLine& line = m_state.lines[i];
    line.IsSettled = false;
    line.IsReturned = line.IsPaidNow = true;
    m_state.returns.append({itemID, line.item.ProductName, false});
    return Outcome::done();
}

Outcome Visit::deleteItem(const QString& itemID) {
    const qsizetype returned = findLine(itemID, IsReturnedLine);
    if (returned >= 0) {
        OrderLine& line = m_state.lines[returned];
        line.IsReturned = line.IsPaidNow = false;
        Outcome outcome;
        auto entry =
            std::find_if(m_state.returns.begin(), m_state.returns.end(),
                         [&](const ReturnEntry& e) { return !e.IsDeleted && e.ItemID == itemID; });
        if (entry == m_state.returns.end())
            outcome.note(QStringLiteral("debug: Error in return grid index!"));
        else
            entry->IsDeleted = true;
        return outcome;
    }
    const qsizetype added = findLine(itemID, IsLineOfThisVisit);
    if (added < 0)
        return Outcome::refused(NotInList);
    m_state.lines[added].IsDeleted = true;
    m_state.lines[added].IsPaidNow = false;
    return Outcome::done();
}

Outcome Visit::renew(const QString& itemID, qint64 quantity, bool cash) {
    if (quantity <= 0)
        return Outcome::refused(QuantityError);
    const qsizetype i = findLine(itemID, IsRenewableLine);
    if (i < 0)
        return Outcome::refused(NotInList);
    OrderLine& line = m_state.lines[i];
    // A renewal adds up to two charge rows; the line must stay well within what loads.
    if (line.payments.size() + 4 >= MaxLoadedPayments)
        return Outcome::refused(
            QStringLiteral("The Item exceeded the renewal limit and cannot be renewed!"));
    const QDateTime now = m_clock.now();
    line.item.Quantity = quantity;
    line.StartDate = RenewalStart(line.EndDate, now);
    line.EndDate = DueDate(line.StartDate, line.item, quantity);
    line.ReturnDate = NoDate;
    line.OSAmt += line.item.RentUnitRate * quantity;
    ++line.LastRenewIndex;
    line.IsRenewed = true;
    line.IsPaidNow = cash;
    return Outcome::done();
}

Outcome Visit::DoSettleAllOS() {
    const QDateTime now = m_clock.now();
    for (qsizetype k = 0; k < m_state.lines.size(); ++k) {
        const OrderLine& owing = m_state.lines[k];
        if (owing.LateAmt + owing.OSAmt <= Money())
            continue;
        const qsizetype i = findLine(owing.ItemID, IsRenewableLine);
        if (i < 0)
            continue;
        OrderLine& line = m_state.lines[i];
        if (now > QDateTime(line.EndDate, QTime(0, 0)))
            line.EndDate = now.date();
        line.ReturnDate = NoDate;
        line.IsSettled = line.IsPaidNow = true;
    }
    return Outcome::done();
}
