#pragma once

#include "shelves.h"
#include "tradevisit.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class ShopRandom;

namespace shop {

class ShopWriter;

// A member as the counter trade sees one.
struct Member {
    QString CustomerID;
    QDate JoinDate;
    // The day the membership ended, if it did; from then on the member only brings copies back.
    QDate leftOn;
    // Keeps copies long and likes to renew on account.
    bool slowPayer = false;

    bool renting(const QDate& day) const {
        return JoinDate <= day && (!leftOn.isValid() || day < leftOn);
    }
};

// How busy the counter is: members dropping in to rent, per member on file and day.
struct TradeSettings {
    double walkInsPerMember = 0.05;
};

// Day after day of counter trade: members come back when their copies are due (a few early,
// some late), others drop in to rent; they return, renew, rent and buy. Copies and members
// must be on file before they are added here.
class Trade {
public:
    Trade(ShopWriter& writer, ShopRandom& random, const TradeSettings& settings);

    Shelves& shelves() { return m_shelves; }
    void addMember(const Member& member);

    bool playDay(const QDate& day);
    // Copies found damaged ("2") or sold ("3") on the shelf at `at`, one for each status.
    void retireCopies(const QStringList& statuses, const QDateTime& at);
    // The order of the latest visit that had one; empty before the first.
    QString latestOrderID() const { return m_latestOrderID; }
    // Puts on file what is still open: the lines out with their orders, and the status of
    // every copy that changed.
    bool finish();

private:
    struct Caller {
        int member;
        QDateTime at;
        // Comes because something is due, rather than just dropping in to rent.
        bool bringsBack;
    };

    QDateTime visitTime(const QDate& day);
    QList<Caller> returningCallers(const QDate& day);
    void addWalkIns(const QDate& day, QList<Caller>& callers);
    bool visit(const Caller& caller);
    bool handleOpenLines(TradeVisit& visit, const Caller& caller, int& stayingOut, bool& changed);
    bool rentSome(TradeVisit& visit, int count);
    int rentalsWanted(bool bringsBack);

    ShopWriter& m_writer;
    ShopRandom& m_random;
    TradeSettings m_settings;
    Shelves m_shelves;
    QList<Member> m_members;
    QList<Account> m_accounts;
    // The last day each member came in.
    QList<QDate> m_lastCall;
    QString m_latestOrderID;
};

} // namespace shop
