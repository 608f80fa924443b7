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

Claim written(bool ok) {
    return ok ? Claim::Written : Claim::Failed;
}

Claim saveItem(Connection& db, ItemRec& item, const QDateTime& stamp) {
    if (item.Deleted)
        return written(item.Added || DeleteItemRecord(db, item));
    if (item.Added)
        return written(InsertItem(db, item));
    if (!item.Changed)
        return Claim::Written;
    // A copy rented or returned since the form read it must not get its old status back.
    const Claim claim = ClaimRecord(db, Record::Item, item.ItemID, item.ModDate);
    if (claim != Claim::Written)
        return claim;
    item.ModDate = stamp;
    return written(UpdateItem(db, item));
}

} // namespace

Claim SaveItems(Connection& db, QList<ItemRec>& items, const QString& productID,
                const QDateTime& stamp, QString& changed) {
    for (ItemRec& item : items) {
        item.ProductID = productID;
        const Claim claim = saveItem(db, item, stamp);
        if (claim == Claim::Changed)
            changed = RecordChangedText(Record::Item, item.ItemID);
        if (claim != Claim::Written)
            return claim;
    }
    return Claim::Written;
}

void SettleItems(QList<ItemRec>& items) {
    items.removeIf([](const ItemRec& item) { return item.Deleted; });
    for (ItemRec& item : items) {
        item.Added = false;
        item.Changed = false;
    }
}
