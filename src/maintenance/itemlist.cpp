#include "itemlist.h"

#include "Connection.h"

qsizetype FindListedItem(const QList<ItemRec>& items, const QString& itemID) {
    for (qsizetype at = 0; at < items.size(); ++at) {
        if (!items.at(at).Deleted && items.at(at).ItemID == itemID)
            return at;
    }
    return -1;
}

QStringList ListedItemIDs(const QList<ItemRec>& items) {
    QStringList ids;
    for (const ItemRec& item : items) {
        if (!item.Deleted)
            ids.append(item.ItemID);
    }
    return ids;
}

const ItemRec* FirstListedItem(const QList<ItemRec>& items) {
    for (const ItemRec& item : items) {
        if (!item.Deleted)
            return &item;
    }
    return nullptr;
}

namespace {

bool saveItem(Connection& db, const ItemRec& item) {
    if (item.Deleted)
        return item.Added || DeleteItemRecord(db, item);
    if (item.Added)
        return InsertItem(db, item);
    if (item.Changed)
        return UpdateItem(db, item);
    return true;
}

} // namespace

bool SaveItems(Connection& db, QList<ItemRec>& items, const QString& productID) {
    for (ItemRec& item : items) {
        item.ProductID = productID;
        if (!saveItem(db, item))
            return false;
    }
    return true;
}

void SettleItems(QList<ItemRec>& items) {
    items.removeIf([](const ItemRec& item) { return item.Deleted; });
    for (ItemRec& item : items) {
        item.Added = false;
        item.Changed = false;
    }
}
