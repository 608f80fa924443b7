#pragma once

#include "catalogue.h"
#include "rows.h"

#include <QDate>
#include <QList>

class Connection;
class DemoRandom;

namespace demo {

// One Items row, a copy on the shelf or a rate code, with its title and category rates.
struct Copy {
    rows::Item item;
    QString title;
    CategoryRec category;

    bool isRateCode() const { return item.Status == QStringLiteral("4"); }
};

struct Catalogue {
    // The categories the demo adds; "V" is in every file already.
    QList<CategoryRec> categories;
    QList<rows::Product> products;
    QList<Copy> copies;
};

// Categories, about forty titles with their copies, and the sale codes; product numbers
// come from the ProductID counter.
bool buildCatalogue(Connection& db, const QDate& today, DemoRandom& random, Catalogue& out);

// Marks a few copies on the shelf damaged and a few sold, as the product form would.
void retireCopies(Catalogue& catalogue, DemoRandom& random);

bool writeCatalogue(Connection& db, const Catalogue& catalogue);

} // namespace demo
