#include "stockroom.h"

#include "shelves.h"
#include "shopcategories.h"
#include "shopwriter.h"

namespace shop {

Stockroom::Stockroom(ShopWriter& writer, Shelves& shelves, const QList<CategoryRec>& categories)
    : m_writer(writer), m_shelves(shelves), m_categories(categories) {}

const CategoryRec& Stockroom::category(const QString& id) const {
    for (const CategoryRec& c : m_categories) {
        if (c.CategoryID == id)
            return c;
    }
    Q_UNREACHABLE();
}

QString Stockroom::nextItemID(const QString& letter) {
    return letter + QString::number(++m_numbers[letter]).rightJustified(5, QLatin1Char('0'));
}

bool Stockroom::addProduct(const QString& name, const CategoryRec& category, const QDateTime& at,
                           Money cost, Money price, const QString& supplier,
                           const QString& remarks) {
    ProductRec p;
    p.InDate = p.ModDate = at;
    p.ProductID = m_writer.take(Counter::ProductID);
    p.ProductName = name;
    p.CategoryID = category.CategoryID;
    p.SupplierID = supplier;
    p.QuantityPerUnit = QStringLiteral("1");
    p.UnitCost = cost;
    p.UnitPrice = price;
    p.Discontinued = QStringLiteral("N");
    p.Remarks = remarks;
    m_productID = p.ProductID;
    return m_writer.writeProduct(p);
}

bool Stockroom::addItem(const QString& itemID, const QString& title, const CategoryRec& category,
                        const QDateTime& at, Money cost, Money price, const QString& status) {
    ItemRec item;
    item.InDate = item.ModDate = at;
    item.ItemID = itemID;
    item.PurchaseDate = at.date();
    item.ProductID = m_productID;
    item.UnitCost = cost;
    item.UnitPrice = price;
    item.Status = status;
    if (!m_writer.writeCopy(item))
        return false;
    m_shelves.add(item, ratesOf(category, itemID, title, status));
    return true;
}

bool Stockroom::buyTitle(const QString& name, const QString& categoryID, int copies,
                         const QDateTime& bought, const QString& supplier, const QString& remarks) {
    const CategoryRec& c = category(categoryID);
    const CopyPrice& p = copyPrice(categoryID);
    if (!addProduct(name, c, bought, p.cost, p.price, supplier, remarks))
        return false;
    for (int i = 0; i < copies; ++i) {
        if (!addItem(nextItemID(categoryID), name, c, bought, p.cost, p.price, QStringLiteral("0")))
            return false;
    }
    return true;
}

bool Stockroom::addSaleCode(const SaleCode& code, const QDateTime& created) {
    const CategoryRec& c = category(code.category);
    return addProduct(code.name, c, created, Money(), c.UnitPrice, QStringLiteral("XXX"), {}) &&
           addItem(nextItemID(QStringLiteral("S")), code.name, c, created, Money(), c.UnitPrice,
                   QStringLiteral("4"));
}

} // namespace shop
