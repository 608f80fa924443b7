#pragma once

#include "orders.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace shop {

class Shelves;
class ShopWriter;

// What a member has open at the counter: the open order and its lines still out.
struct Account {
    // Open while any of its lines is out; it goes on file when the last comes back.
    std::optional<OrderRec> order;
    // Earliest due first, as the visit screen loads them.
    QList<OrderLine> lines;
};

// One member's visit at the counter, played by the rules of the visit screen: rentals paid
// when entered, returns with their late charge, renewals for cash or on arrears, sales. Lines
// stay in memory while they are out; a line handed back is final and goes on file at once.
// Call returnLine/renewLine first, then rent and sell, then finish.
class TradeVisit {
public:
    TradeVisit(ShopWriter& writer, Shelves& shelves, Account& account, const QString& customerID,
               const QDateTime& at);

    qsizetype openLines() const { return m_account.lines.size(); }
    const OrderLine& line(qsizetype i) const { return m_account.lines.at(i); }

    bool returnLine(qsizetype i);
    // False, and nothing changed, when the line has too many charges to renew again.
    bool renewLine(qsizetype i, qint64 units, bool cash);
    void rent(int copy, qint64 units, bool free);
    bool sell(int saleCode, qint64 quantity);
    // Stamps an order that was open before the visit when anything changed, and puts the
    // order on file once nothing of it is out any more.
    bool finish(bool changed);

private:
    OrderRec& order();

    ShopWriter& m_writer;
    Shelves& m_shelves;
    Account& m_account;
    QString m_customerID;
    QDateTime m_at;
    bool m_newOrder = false;
    QList<int> m_back;
};

} // namespace shop
