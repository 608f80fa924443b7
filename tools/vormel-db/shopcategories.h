#pragma once

#include "Money.h"
#include "catalogue.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What a made-up shop rents and sells: its categories besides "V", what a copy of each
// rental category costs, and the sale codes over the counter.
namespace shop {

// "D" DVD, "N" new release, "G" games, and the sale lines "P", "K", "T", "U".
QList<CategoryRec> extraCategories(const QDateTime& created);

// The rental categories, each with what a copy costs and how many days before the reference
// day its titles were bought.
struct CopyPrice {
    QString category;
    Money cost;
    Money price;
    int minAge;
    int maxAge;
};
const QList<CopyPrice>& copyPrices();
const CopyPrice& copyPrice(const QString& category);

// Sale codes S00001, S00002, ... in this order: their names and categories.
struct SaleCode {
    QString name;
    QString category;
};
const QList<SaleCode>& saleCodes();

// The rates of `category` for a copy of `title`, as the counter looks them up.
ItemRateRec ratesOf(const CategoryRec& category, const QString& itemID, const QString& title,
                    const QString& status);

} // namespace shop
