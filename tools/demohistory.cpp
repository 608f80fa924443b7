#include "demohistory.h"

#include "DemoRandom.h"
#include "demovisit.h"

#include <QSet>
#include <QTime>

#include <algorithm>

namespace demo {

namespace {

constexpr int HistoryDays = 28;
// Nobody takes home more than this many copies at once.
constexpr int MaxOpenLines = 5;

// A few members keep their copies long and like to renew on account.
bool slowPayer(int member) {
    return member % 9 == 4;
}

struct Caller {
    int member;
    QDateTime at;
    // Comes because something is due, rather than just dropping in to rent.
    bool bringsBack;
};

class HistoryPlayer {
public:
    HistoryPlayer(Connection& db, const QList<rows::Customer>& members, Catalogue& catalogue,
                  DemoRandom& random, History& out)
        : m_db(db), m_members(members), m_catalogue(catalogue), m_random(random), m_out(out) {
        for (int i = 0; i < m_catalogue.copies.size(); ++i) {
            if (m_catalogue.copies.at(i).isRateCode())
                m_rateCodes << i;
        }
    }

    bool play(const QDate& today) {
        for (int back = HistoryDays - 1; back >= 0; --back) {
            if (!playDay(today.addDays(-back)))
                return false;
        }
        return true;
    }

private:
    bool playDay(const QDate& day) {
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

    bool mayVisit(int member, const QDate& day) const {
        const rows::Customer& c = m_members.at(member);
        return c.Active == QStringLiteral("Y") && c.JoinDate <= day;
    }

    QDateTime visitTime(const QDate& day) {
        return QDateTime(day, QTime(10, 30).addSecs(m_random.below(41400)));
    }

    // Most members come back around the due date; a few early, some much later.
    QList<Caller> returningCallers(const QDate& day) {
        QList<Caller> callers;
        for (int m = 0; m < m_members.size(); ++m) {
            const QDate due = earliestDue(m_members.at(m).CustomerID);
            const int chance = due <= day ? (slowPayer(m) ? 20 : 75) : 4;
            if (due.isValid() && mayVisit(m, day) && m_random.percent(chance))
                callers << Caller{m, visitTime(day), true};
        }
        return callers;
    }

    void addWalkIns(const QDate& day, QList<Caller>& callers) {
        const int count = m_random.between(2, 4);
        for (int i = 0; i < count; ++i) {
            const int m = m_random.below(int(m_members.size()));
            const bool coming = std::any_of(callers.begin(), callers.end(),
                                            [m](const Caller& c) { return c.member == m; });
            const QDateTime at = visitTime(day);
            if (mayVisit(m, day) && !coming)
                callers << Caller{m, at, false};
        }
    }

    QDate earliestDue(const QString& customerID) const {
        QDate due;
        for (const RentalLine& line : m_out.lines) {
            if (line.detail.RentStatus == QStringLiteral("0") &&
                m_out.order(line.detail.OrderID).CustomerID == customerID &&
                (!due.isValid() || line.detail.EndDate < due))
                due = line.detail.EndDate;
        }
        return due;
    }

    QList<int> shelf() const {
        QList<int> copies;
        for (int i = 0; i < m_catalogue.copies.size(); ++i) {
            if (m_catalogue.copies.at(i).item.Status == QStringLiteral("0"))
                copies << i;
        }
        return copies;
    }

    // New releases go fastest, games slowest.
    int pickCopy(const QList<int>& shelf, const QSet<int>& taken) {
        static const QList<QString> Preference = {
            QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("N"),
            QStringLiteral("D"), QStringLiteral("D"), QStringLiteral("D"),
            QStringLiteral("V"), QStringLiteral("V"), QStringLiteral("G")};
        const QString wanted = m_random.pick(Preference);
        QList<int> choice, any;
        for (int copy : shelf) {
            if (taken.contains(copy))
                continue;
            any << copy;
            if (m_catalogue.copies.at(copy).category.CategoryID == wanted)
                choice << copy;
        }
        if (choice.isEmpty())
            choice = any;
        return choice.isEmpty() ? -1 : m_random.pick(choice);
    }

    // Handles the customer's open lines; returns how many stay out.
    int handleOpenLines(DemoVisit& visit, const Caller& caller, bool& changed) {
        // Of 100 due lines: returned, renewed for cash, renewed on arrears; the rest stay out.
        const int returned = slowPayer(caller.member) ? 50 : 78;
        const int cash = returned + (slowPayer(caller.member) ? 4 : 8);
        const int arrears = slowPayer(caller.member) ? 90 : 92;
        int stayingOut = 0;
        for (int line : visit.openLines()) {
            const bool due = m_out.lines.at(line).detail.EndDate <= caller.at.date();
            const int roll = m_random.below(100);
            if (roll < (due ? returned : 12)) {
                visit.returnLine(line);
                changed = true;
                continue;
            }
            ++stayingOut;
            if (due && roll < arrears && visit.renewLine(line, 1, roll < cash))
                changed = true;
        }
        return stayingOut;
    }

    int rentalsWanted(bool bringsBack) {
        static const QList<int> AfterReturn = {0, 0, 0, 0, 0, 0, 0, 1, 1, 1,
                                               1, 1, 1, 1, 1, 2, 2, 2, 3, 3};
        static const QList<int> WalkIn = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                          1, 2, 2, 2, 2, 2, 2, 3, 3, 3};
        return m_random.pick(bringsBack ? AfterReturn : WalkIn);
    }

    bool rentSome(DemoVisit& visit, const QList<int>& shelf, int count, bool& changed) {
        QSet<int> taken;
        for (int i = 0; i < count; ++i) {
            const int copy = pickCopy(shelf, taken);
            if (copy < 0)
                break;
            taken << copy;
            const qint64 units = m_random.percent(15) ? 2 : 1;
            if (!visit.rent(copy, units, m_random.percent(6)))
                return false;
            changed = true;
        }
        return true;
    }

    bool visit(const Caller& caller) {
        DemoVisit visit(m_db, m_catalogue, m_out, m_members.at(caller.member).CustomerID,
                        caller.at);
        // What is on the shelf when the customer walks in; copies brought back now wait.
        const QList<int> onShelf = shelf();
        bool changed = false;
        const int stayingOut = handleOpenLines(visit, caller, changed);
        const int wanted = std::min(rentalsWanted(caller.bringsBack), MaxOpenLines - stayingOut);
        if (!rentSome(visit, onShelf, wanted, changed))
            return false;
        if (m_random.percent(22)) {
            visit.sell(m_random.pick(m_rateCodes), m_random.between(1, 5));
            changed = true;
        }
        if (changed)
            visit.finish();
        return true;
    }

    Connection& m_db;
    const QList<rows::Customer>& m_members;
    Catalogue& m_catalogue;
    DemoRandom& m_random;
    History& m_out;
    QList<int> m_rateCodes;
};

} // namespace

rows::Order& History::order(const QString& orderID) {
    for (rows::Order& o : orders) {
        if (o.OrderID == orderID)
            return o;
    }
    Q_UNREACHABLE();
}

bool playHistory(Connection& db, const QDate& today, const QList<rows::Customer>& members,
                 Catalogue& catalogue, DemoRandom& random, History& out) {
    out = {};
    return HistoryPlayer(db, members, catalogue, random, out).play(today);
}

bool writeHistory(Connection& db, const History& history) {
    for (const rows::Order& o : history.orders) {
        if (!rows::insertOrder(db, o))
            return false;
    }
    for (const RentalLine& line : history.lines) {
        if (!rows::insertOrderDetail(db, line.detail))
            return false;
        for (const rows::Payment& p : line.payments) {
            if (!rows::insertPayment(db, p))
                return false;
        }
    }
    for (const rows::Sale& s : history.sales) {
        if (!rows::insertSale(db, s))
            return false;
    }
    return true;
}

} // namespace demo
