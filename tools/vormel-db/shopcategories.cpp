#include "shopcategories.h"

namespace shop {

namespace {

struct CategorySpec {
    const char* id;
    const char* description;
    int rentRate, rentDays, overdueRate, unitPrice, promoteQty, promotePrice;
};

const CategorySpec Categories[] = {
    {"D", "DVD", 20, 2, 10, 0, 0, 0},
    {"N", "NEW RELEASE", 25, 1, 15, 0, 0, 0},
    {"G", "GAMES", 30, 7, 10, 0, 0, 0},
    {"P", "SNACKS", 0, 1, 0, 8, 3, 20},
    {"K", "DRINKS", 0, 1, 0, 7, 0, 0},
    {"T", "BLANK TAPES", 0, 1, 0, 25, 4, 80},
    {"U", "EX-RENTAL DISCS", 0, 1, 0, 60, 3, 150},
};

CopyPrice copyPriceOf(const char* category, int cost, int price, int minAge, int maxAge) {
    return {QString::fromLatin1(category), Money::fromWhole(cost), Money::fromWhole(price), minAge,
            maxAge};
}

} // namespace

QList<CategoryRec> extraCategories(const QDateTime& created) {
    QList<CategoryRec> list;
    for (const CategorySpec& s : Categories) {
        CategoryRec c;
        c.InDate = created;
        c.ModDate = created;
        c.CategoryID = QString::fromLatin1(s.id);
        c.Description = QString::fromLatin1(s.description);
        c.RentUnitRate = Money::fromWhole(s.rentRate);
        c.RentUnitDays = s.rentDays;
        c.OverDueRate = Money::fromWhole(s.overdueRate);
        c.UnitPrice = Money::fromWhole(s.unitPrice);
        c.PromoteQty = s.promoteQty;
        c.PromotePrice = Money::fromWhole(s.promotePrice);
        list << c;
    }
    return list;
}

const QList<CopyPrice>& copyPrices() {
    static const QList<CopyPrice> prices = {
        copyPriceOf("V", 60, 99, 400, 1500),
        copyPriceOf("D", 90, 149, 200, 900),
        copyPriceOf("N", 120, 189, 30, 45),
        copyPriceOf("G", 280, 399, 60, 500),
    };
    return prices;
}

const CopyPrice& copyPrice(const QString& category) {
    for (const CopyPrice& p : copyPrices()) {
        if (p.category == category)
            return p;
    }
    Q_UNREACHABLE();
}

const QList<SaleCode>& saleCodes() {
    static const QList<SaleCode> codes = {
        {QStringLiteral("POPCORN"), QStringLiteral("P")},
        {QStringLiteral("POTATO CHIPS"), QStringLiteral("P")},
        {QStringLiteral("SOFT DRINK"), QStringLiteral("K")},
        {QStringLiteral("BLANK VIDEO TAPE"), QStringLiteral("T")},
        {QStringLiteral("EX-RENTAL DVD"), QStringLiteral("U")},
    };
    return codes;
}

ItemRateRec ratesOf(const CategoryRec& category, const QString& itemID, const QString& title,
                    const QString& status) {
    ItemRateRec r;
    r.ItemID = itemID;
    r.Status = status;
    r.ProductName = title;
    r.CategoryID = category.CategoryID;
    r.OverDueRate = category.OverDueRate;
    r.RentUnitDays = category.RentUnitDays;
    r.RentUnitRate = category.RentUnitRate;
    r.UnitPrice = category.UnitPrice;
    r.PromoteQty = category.PromoteQty;
    r.PromotePrice = category.PromotePrice;
    return r;
}

} // namespace shop
