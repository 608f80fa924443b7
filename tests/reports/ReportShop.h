#pragma once

#include "TestDb.h"

#include <QDate>

// A small shop in February 2004 for the report tests: two categories, a few copies and sale
// codes, three members (one with a Chinese name, one with quotes and commas in his details),
// rentals, renewals, late charges, sales and adjustments, some just outside the month.
namespace reportshop {

inline QDate feb(int day) {
    return QDate(2004, 2, day);
}

bool arrange(TestDb& t);

} // namespace reportshop
