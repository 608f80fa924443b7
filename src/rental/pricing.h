#pragma once

#include "Money.h"
#include "orders.h"

#include <QDateTime>

struct ItemRateRec;

// The due date of a rental period of `units` rental units starting at `start`.
QDate DueDate(const QDateTime& start, const ItemRateRec& rates, qint64 units);

// Where a renewed period begins: renewed before the due day begins, it follows on from the
// due date; later, it starts now.
QDateTime RenewalStart(const QDate& dueDate, const QDateTime& now);

// What n pieces of a rate code cost: every full bundle of PromoteQty pieces at PromotePrice,
// the rest at UnitPrice each.
Money SalePrice(const ItemRateRec& rates, qint64 pieces);

// Quantity x rate, less the discount fraction (1 = free).
Money ChargeAmount(Money unitRate, qint64 quantity, double discount);

// A rental line as it is entered: paid today for whole units, or free at its full rate.
OrderLine NewRentalLine(const ItemRateRec& rates, const QString& orderID, bool free,
                        const QDateTime& now);

// A sale line of a rate code, priced for rates.Quantity pieces.
OrderLine NewSaleLine(const ItemRateRec& rates, const QDateTime& now);

// The quantity a clerk typed, read as the counter always has: the leading digits, 0 if none.
qint64 QuantityValue(const QString& text);
