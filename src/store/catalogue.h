#pragma once

#include "Money.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Connection;

// One rental category with its rates (table Category).
struct CategoryRec {
    QDateTime InDate;
    QDateTime ModDate;
    QString CategoryID;
    QString Description;
    Money RentUnitRate;
    qint64 RentUnitDays = 0;
    Money OverDueRate;
    Money UnitPrice;
    qint64 PromoteQty = 0;
    Money PromotePrice;
};

// What the counter needs to know about one item: its title, status and its category's rates.
struct ItemRateRec {
    QString ItemID;
    QString Status;
    QString ProductName;
    QString CategoryID;
    Money OverDueRate;
    qint64 RentUnitDays = 0;
    Money RentUnitRate;
    // Not stored: the lookup sets 0 and the visit screen puts the entered quantity here.
    qint64 Quantity = 0;
    Money UnitPrice;
    qint64 PromoteQty = 0;
    Money PromotePrice;
};

// One item status code and its name (table ItemStatus).
struct ItemStatusRec {
    QString ID;
    QString Name;
};

// Fills `rec` for the item `itemID` when the item, its product and its category all exist;
// otherwise false and `rec` untouched.
bool GetItemRate(Connection& db, ItemRateRec& rec, const QString& itemID);

// All categories ordered by description, or with allRows false the one whose CategoryID is
// that of list[0]. False, and the list untouched, when no row was read.
bool GetCategories(Connection& db, QList<CategoryRec>& list, bool allRows);

// All item status codes ordered by ID, or with allRows false the one whose ID is that of
// list[0]. False, and the list untouched, when no row was read.
bool GetItemStatuses(Connection& db, QList<ItemStatusRec>& list, bool allRows);
