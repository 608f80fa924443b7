#include "Visit.h"

#include "Clock.h"
#include "Connection.h"
#include "stats.h"
#include "utility.h"

namespace {

bool allDigits(const QString& s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// Under 18 until the morning of the 18th birthday.
bool isUnder18(const QDate& birth, const QDate& today) {
    if (!birth.isValid() || birth == NoDate)
        return false;
    const int years = today.year() - birth.year();
    if (years != 18)
        return years < 18;
    if (birth.month() != today.month())
        return birth.month() > today.month();
    return birth.day() > today.day();
}

const QString NotValid = QStringLiteral("Customer membership not valid!");

} // namespace

Visit::Visit(Connection& db, const Clock& clock, const OpCodeRec& codes, const QString& employeeID)
    : m_db(db), m_clock(clock), m_codes(codes), m_employeeID(employeeID) {}

Outcome Visit::Start(const QString& key) {
    m_state = State();
    m_warning.clear();
    return allDigits(key) ? startByCustomer(key) : startByItem(key);
}

Outcome Visit::startByCustomer(const QString& customerID) {
    if (!readCustomer(customerID))
        return {false, {}};
    if (m_state.customer.Active != QLatin1String("Y"))
        return Outcome::refused(NotValid);
    RefreshCustStats(m_db, m_state.customer);
    showCustomer();
    Outcome outcome;
    QString orderID, holder;
    if (FindOrderID(m_db, OrderFindBy::Customer, customerID, orderID, holder))
        outcome.ok = loadOrder(orderID, outcome);
    return outcome;
}

Outcome Visit::startByItem(const QString& itemID) {
    QString orderID, customerID;
    if (!FindOrderID(m_db, OrderFindBy::Item, itemID, orderID, customerID))
        return {false, {}};
    Outcome outcome;
    const bool found = readCustomer(customerID);
    if (found && m_state.customer.Active != QLatin1String("Y"))
        outcome.note(NotValid, MsgIcon::Exclamation);
    if (found) {
        RefreshCustStats(m_db, m_state.customer);
        showCustomer();
    }
    outcome.ok = loadOrder(orderID, outcome) && found;
    return outcome;
}

bool Visit::readCustomer(const QString& customerID) {
    m_state.customer = CustomerRec();
    m_state.customer.CustomerID = customerID;
    return GetCustomer(m_db, m_state.customer);
}

void Visit::showCustomer() {
    const CustomerRec& c = m_state.customer;
    QStringList warnings;
    if (isUnder18(c.BirthDate, m_clock.today()))
        warnings << QStringLiteral("Customer is under 18 years old!");
    if (c.HKResident == QLatin1String("N"))
        warnings << QStringLiteral("Customer is not a local resident!");
    m_warning = warnings.join(QStringLiteral("  And  "));
}

bool Visit::loadOrder(const QString& orderID, Outcome& outcome) {
    if (!LoadOrder(m_db, orderID, m_clock.today(), m_state.order, m_state.lines)) {
        m_state.lines.clear();
        outcome.note(QStringLiteral("debug: error in finding order_details!"));
        return false;
    }
    m_state.newOrder = false;
    m_state.existRentCount = m_state.lines.size();
    return true;
}

QString Visit::defaultCode() const {
    return m_state.newOrder ? m_codes.AddItem : m_codes.ReturnItem;
}

VisitTotals Visit::UpdateTotals() const {
    VisitTotals t;
    t.ExistRent = m_state.existRentCount;
    for (const OrderLine& line : m_state.lines) {
        if (line.IsDeleted)
            continue;
        if (line.IsNewRent) {
            ++t.NewRent;
            t.NewAmt += line.OSAmt;
        }
        if (line.IsRenewed) {
            ++t.Renew;
            if (line.IsPaidNow) {
                t.RenewAmt += line.OSAmt;
                t.LateAmt += line.LateAmt;
            }
        }
        if (line.IsReturned) {
            ++t.Return;
            t.ReturnAmt += line.OSAmt;
            t.LateAmt += line.LateAmt;
        }
        if (line.IsSale) {
            t.Sales += line.item.Quantity;
            t.SalesAmt += line.OSAmt;
        }
        if (line.IsSettled)
            t.SettleAllOSAmt += line.OSAmt + line.LateAmt;
    }
    return t;
}
