#pragma once

#include "catalogue.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

class ShopRandom;

namespace shop {

// One Items row as the trade keeps it current, with the rates a rental or sale of it uses.
struct Copy {
    ItemRec item;
    ItemRateRec rates;
};

// Every copy and sale code of the shop, and which copies stand on the shelf, by category.
class Shelves {
public:
    // A copy already on file; one with status "0" goes on the shelf.
    int add(const ItemRec& item, const ItemRateRec& rates);

    qsizetype count() const { return m_copies.size(); }
    const Copy& copy(int index) const { return m_copies.at(index); }
    int indexOf(const QString& itemID) const { return m_byItem.value(itemID, -1); }
    // The sale codes (status "4"), in the order they were added.
    const QList<int>& saleCodes() const { return m_saleCodes; }

    // A copy of `category` on the shelf, or of any category when that one has none; -1 when
    // the shelf is empty. The copy stays on the shelf until it is taken out.
    int pick(const QString& category, ShopRandom& random) const;
    void takeOut(int index, const QDateTime& at);
    void putBack(int index, const QDateTime& at);
    // A copy found damaged ("2") or sold ("3") while on the shelf; false when the shelf is empty.
    bool retireOne(const QString& status, const QDateTime& at, ShopRandom& random);

    // A copy whose row on file no longer shows its status.
    bool changed(int index) const;

private:
    struct Shelf {
        QString category;
        std::vector<int> copies;
    };

    int pickAny(ShopRandom& random) const;
    Shelf& shelfOf(const QString& category);
    void place(int index);
    void lift(int index);
    void setStatus(int index, const QString& status, const QDateTime& at);

    QList<Copy> m_copies;
    // Where each copy stands on its shelf; -1 when it is not there.
    QList<int> m_slot;
    QHash<QString, int> m_byItem;
    QList<int> m_saleCodes;
    QList<Shelf> m_shelves;
};

} // namespace shop
