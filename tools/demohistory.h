#pragma once

#include "democatalogue.h"
#include "rows.h"

#include <QDate>
#include <QList>

class Connection;
class DemoRandom;

namespace demo {

// One order line with its charge rows, as the visit screen leaves them.
struct RentalLine {
    rows::OrderDetail detail;
    QList<rows::Payment> payments;
    // The copy in Catalogue::copies.
    int copy = -1;
    qint64 lastRenewIndex = 0;
};

struct History {
    QList<rows::Order> orders;
    QList<RentalLine> lines;
    QList<rows::Sale> sales;

    rows::Order& order(const QString& orderID);
};

// Four weeks of counter visits ending on `today`, played by the rules of the visit screen.
// Copies go out and come back in the catalogue; order and line numbers come from the
// counters. False, after the connection's report, when a number could not be had.
bool playHistory(Connection& db, const QDate& today, const QList<rows::Customer>& members,
                 Catalogue& catalogue, DemoRandom& random, History& out);

bool writeHistory(Connection& db, const History& history);

} // namespace demo
