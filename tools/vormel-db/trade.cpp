#include "trade.h"

#include "ShopRandom.h"
#include "shopwriter.h"

#include <QTime>

#include <algorithm>
#include <cmath>

namespace shop {

namespace {

// Nobody takes home more than this many copies at once.
constexpr int MaxOpenLines = 5;

// New releases go fastest, games slowest.
const QString& wantedCategory(ShopRandom& random) {
    static const QList<QString> Preference = {
        QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("N"),
        QStringLiteral("D"), QStringLiteral("D"), QStringLiteral("D"),
        QStringLiteral("V"), QStringLiteral("V"), QStringLiteral("G")};
    return random.pick(Preference);
}

} // namespace

Trade::Trade(ShopWriter& writer, ShopRandom& random, const TradeSettings& settings)
    : m_writer(writer), m_random(random), m_settings(settings) {}

void Trade::addMember(const Member& member) {
    m_members.append(member);
    m_accounts.append(Account());
    m_lastCall.append(QDate());
}

bool Trade::playDay(const QDate& day) {
    QList<Caller> callers = returningCallers(day);
    addWalkIns(day, callers);
    std::stable_sort(callers.begin(), callers.end(),
                     [](const Caller& a, const Caller& b) { return a.at < b.at; });
    for (const Caller& c : callers) {
        if (!visit(c))
            return false;
    }
    return true;
}

QDateTime Trade::visitTime(const QDate& day) {
    return QDateTime(day, QTime(10, 30).addSecs(m_random.below(41400)));
}

// Most members come back around the due date; a few early, slow payers much later.
QList<Trade::Caller> Trade::returningCallers(const QDate& day) {
    QList<Caller> callers;
    for (int m = 0; m < m_members.size(); ++m) {
        const Account& account = m_accounts.at(m);
        if (account.lines.isEmpty())
            continue;
        const bool due = account.lines.constFirst().EndDate <= day;
        const int chance = due ? (m_members.at(m).slowPayer ? 35 : 95) : 4;
        if (m_random.percent(chance)) {
            callers.append({m, visitTime(day), true});
            m_lastCall[m] = day;
        }
    }
    return callers;
}

void Trade::addWalkIns(const QDate& day, QList<Caller>& callers) {
    const double expected = double(m_members.size()) * m_settings.walkInsPerMember;
    const int count =
        m_random.between(int(std::lround(expected * 2 / 3)), int(std::lround(expected * 4 / 3)));
    for (int i = 0; i < count && !m_members.isEmpty(); ++i) {
        const int m = m_random.below(int(m_members.size()));
        const QDateTime at = visitTime(day);
        if (m_members.at(m).renting(day) && m_lastCall.at(m) != day) {
            callers.append({m, at, false});
            m_lastCall[m] = day;
        }
    }
}

// Of 100 lines due: returned, renewed for cash, renewed on arrears; the rest stay out. A
// former member brings everything back.
bool Trade::handleOpenLines(TradeVisit& visit, const Caller& caller, int& stayingOut,
                            bool& changed) {
    const Member& member = m_members.at(caller.member);
    const bool slow = member.slowPayer;
    const bool renting = member.renting(caller.at.date());
    const int returned = !renting ? 100 : slow ? 60 : 89;
    const int cash = returned + 3;
    const int arrears = slow ? 90 : 95;
    for (qsizetype i = 0; i < visit.openLines(); ++i) {
        const bool due = visit.line(i).EndDate <= caller.at.date();
        const int roll = m_random.below(100);
        if (roll < (due || !renting ? returned : 12)) {
            if (!visit.returnLine(i))
                return false;
            changed = true;
            continue;
        }
        ++stayingOut;
        if (due && roll < arrears && visit.renewLine(i, 1, roll < cash))
            changed = true;
    }
    return true;
}

int Trade::rentalsWanted(bool bringsBack) {
    static const QList<int> AfterReturn = {0, 0, 0, 0, 0, 0, 0, 1, 1, 1,
                                           1, 1, 1, 1, 1, 2, 2, 2, 3, 3};
    static const QList<int> WalkIn = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3};
    return m_random.pick(bringsBack ? AfterReturn : WalkIn);
}

bool Trade::rentSome(TradeVisit& visit, int count) {
    bool rented = false;
    for (int i = 0; i < count; ++i) {
        const int copy = m_shelves.pick(wantedCategory(m_random), m_random);
        if (copy < 0)
            break;
        const qint64 units = m_random.percent(15) ? 2 : 1;
        visit.rent(copy, units, m_random.percent(6));
        rented = true;
    }
    return rented;
}

bool Trade::visit(const Caller& caller) {
    const Member& member = m_members.at(caller.member);
    Account& account = m_accounts[caller.member];
    TradeVisit visit(m_writer, m_shelves, account, member.CustomerID, caller.at);
    bool changed = false;
    int stayingOut = 0;
    if (!handleOpenLines(visit, caller, stayingOut, changed))
        return false;
    if (member.renting(caller.at.date())) {
        const int wanted = std::min(rentalsWanted(caller.bringsBack), MaxOpenLines - stayingOut);
        changed = rentSome(visit, wanted) || changed;
        const QList<int>& codes = m_shelves.saleCodes();
        if (!codes.isEmpty() && m_random.percent(22)) {
            if (!visit.sell(m_random.pick(codes), m_random.between(1, 5)))
                return false;
            changed = true;
        }
    }
    if (account.order)
        m_latestOrderID = account.order->OrderID;
    return visit.finish(changed);
}

void Trade::retireCopies(const QStringList& statuses, const QDateTime& at) {
    for (const QString& status : statuses)
        m_shelves.retireOne(status, at, m_random);
}

bool Trade::finish() {
    for (const Account& account : m_accounts) {
        for (const OrderLine& line : account.lines) {
            if (!m_writer.writeLine(line))
                return false;
        }
        if (account.order && !m_writer.writeOrder(*account.order))
            return false;
    }
    for (int i = 0; i < m_shelves.count(); ++i) {
        if (m_shelves.changed(i) && !m_writer.writeStatus(m_shelves.copy(i).item))
            return false;
    }
    return true;
}

} // namespace shop
