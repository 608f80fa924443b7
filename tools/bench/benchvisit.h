#pragma once

#include "catalogue.h"
#include "orders.h"

#include <QDateTime>
#include <QList>

class Connection;

// What a typical visit saves: the open order, a line coming back late, two new rentals and a
// sale, as the visit screen has them ready when the clerk presses save.
struct VisitWrites {
    QDateTime now;
    OrderRec order;
    OrderLine back;
    QList<ItemRateRec> rentals;
    ItemRateRec sale;
};

// Writes the visit the way its save does, statement for statement, inside a transaction that
// is rolled back, so the file is the same afterwards and the visit can be written again.
bool writeVisitRolledBack(Connection& db, const VisitWrites& visit);
