#pragma once

#include "demohistory.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Connection;

namespace demo {

// One customer's visit at the counter, saved the way the visit screen saves it: rentals paid
// when entered, returns with their late charge, renewals for cash or on arrears, sales.
// Call returnLine/renewLine first, then rent and sell, then finish.
class DemoVisit {
public:
    DemoVisit(Connection& db, Catalogue& catalogue, History& history, const QString& customerID,
              const QDateTime& at);

    // The open lines of the customer's open order, earliest due first.
    QList<int> openLines() const;

    void returnLine(int line);
    // False, and nothing changed, when the line has too many charge rows to renew again.
    bool renewLine(int line, qint64 units, bool cash);
    // False when no order or line number could be had.
    bool rent(int copy, qint64 units, bool free);
    void sell(int rateCode, qint64 quantity);
    // Every save on an order that was already open stamps it.
    void finish();

private:
    const CategoryRec& categoryOf(const RentalLine& line) const;
    rows::Payment charge(const RentalLine& line, qint64 renewIndex, const QString& payType,
                         Money rate, qint64 quantity, bool free, bool paid) const;
    void addLateCharge(RentalLine& line, qint64 daysLate, bool paid) const;
    void settle(RentalLine& line, bool pay) const;
    void setStatus(int copy, const QString& status);
    bool openOrder();

    Connection& m_db;
    Catalogue& m_catalogue;
    History& m_history;
    QString m_customerID;
    QDateTime m_at;
    QString m_orderID;
    bool m_newOrder = false;
};

// The price of `n` pieces: full bundles at the bundle price, the rest at the unit price.
Money salePrice(const CategoryRec& category, qint64 n);

} // namespace demo
