#pragma once

#include "shopwriter.h"

#include <QDate>
#include <QDateTime>

#include <cstdint>

class Connection;

// The size of a generated shop. The trade always ends on the same day, so the same options
// always give the same file, whenever it is made.
struct GenerateOptions {
    int members = 20000;
    int titles = 5000;
    int copies = 30000;
    int years = 5;
    std::uint32_t seed = 1;

    // The last day of trade.
    static QDate lastDay() { return {2025, 6, 30}; }
    // The shop opens `years` years before the last day; the file is made that morning.
    QDate opening() const { return lastDay().addYears(-years).addDays(1); }
    QDateTime created() const;
};

// Adds a large shop to a working file that holds the base rows, written through the store's
// own operations: the members as they join, the titles and copies as they are bought, and
// every day's counter trade, till adjustments and copies found damaged or sold. One
// transaction: all or nothing. `written` counts the rows.
bool addGeneratedShop(Connection& db, const GenerateOptions& options, shop::RowCounts& written);
