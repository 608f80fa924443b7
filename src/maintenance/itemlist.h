#pragma once

#include "catalogue.h"
#include "claims.h"

#include <QList>
#include <QString>
#include <QStringList>

class Connection;

// A product's copies while its form is open. Nothing reaches the database until
// SaveItems; each entry carries what must happen to it then: Added (insert), Changed
// (update), Deleted (removed from the list; deleted on save if it was stored). Entries marked
// Deleted are invisible to every search and listing.

// Position of the listed entry with this ItemID; -1 when there is none.
qsizetype FindListedItem(const QList<ItemRec>& items, const QString& itemID);

// The IDs of the listed entries, in list order.
QStringList ListedItemIDs(const QList<ItemRec>& items);

// The first listed entry; none when every entry has been removed.
const ItemRec* FirstListedItem(const QList<ItemRec>& items);

// Gives every entry the product's number, then writes each pending change in list order: a
// removed stored copy is deleted, a new one inserted, a changed one updated (stamped `stamp`)
// only while it is as it was loaded. A copy added and removed again costs no statement. Stops
// at the first statement that fails (Failed) or copy stored meanwhile at another counter
// (Changed, with `changed` naming it); the caller's transaction then undoes the rest.
Claim SaveItems(Connection& db, QList<ItemRec>& items, const QString& productID,
                const QDateTime& stamp, QString& changed);

// After a committed save: removed entries go, the others are now stored and unchanged.
void SettleItems(QList<ItemRec>& items);
