#pragma once

#include "catalogue.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

namespace shop {

class Shelves;
class ShopWriter;
struct SaleCode;

// Where titles and sale codes come into the shop: each goes on file as a product with its
// copies, numbered as the product form numbers them, and onto the shelves.
class Stockroom {
public:
    Stockroom(ShopWriter& writer, Shelves& shelves, const QList<CategoryRec>& categories);

    const CategoryRec& category(const QString& id) const;
    // A title with `copies` copies at the category's copy price; a copy is the category
    // letter and five digits, numbered per letter.
    bool buyTitle(const QString& name, const QString& category, int copies, const QDateTime& bought,
                  const QString& supplier, const QString& remarks);
    // A sale code: a product with one item of status "4", numbered "S" and five digits.
    bool addSaleCode(const SaleCode& code, const QDateTime& created);

private:
    QString nextItemID(const QString& letter);
    bool addProduct(const QString& name, const CategoryRec& category, const QDateTime& at,
                    Money cost, Money price, const QString& supplier, const QString& remarks);
    bool addItem(const QString& itemID, const QString& title, const CategoryRec& category,
                 const QDateTime& at, Money cost, Money price, const QString& status);

    ShopWriter& m_writer;
    Shelves& m_shelves;
    QList<CategoryRec> m_categories;
    QHash<QString, int> m_numbers;
    QString m_productID;
};

} // namespace shop
