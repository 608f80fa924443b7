#pragma once

#include "catalogue.h"
#include "claims.h"
#include "productboxes.h"

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class Connection;
class MessageService;

// One product and its copies as the product form edits them, without the window. Every
// refusal is shown as an exclamation box through the message service and changes nothing.
class ProductEditor {
public:
    ProductEditor(Connection& db, MessageService& messages, const Clock& clock,
                  const QList<CategoryRec>& categories, const QList<ItemStatusRec>& statuses);

    // Opens the product of a stored copy with all its copies and their rental figures, or a
    // new product whose first copy is to get the typed ID. An all-digit ID is refused.
    bool Start(const QString& key);

    bool IsNew() const { return m_isNew; }
    const ProductRec& product() const { return m_product; }
    // The copy the item boxes show.
    const ItemRec& current() const { return m_current; }
    const QStringList& statusNames() const { return m_statusNames; }
    QStringList ListedIDs() const;

    // Shows a listed copy in the item boxes; false when it is not listed.
    bool ShowItem(const QString& itemID);

    // Adds the boxes to the list as a new copy.
    bool AddItem(const ItemBoxes& boxes);
    // Takes the boxes into the listed copy with that ID, adding it when it is not listed.
    bool ApplyItem(const ItemBoxes& boxes);
    // Removes the one selected copy from the list unless an order line or a sale names it.
    bool RemoveItem(const QStringList& selected);

    // Writes the product and every pending copy change in one transaction and says how it
    // went. A failure leaves the product, list and flags as they were, ready to try again.
    bool Save(const ProductBoxes& boxes);
    // Deletes a stored product with its copies, unless one of them has transactions.
    bool DeleteProduct();

private:
    bool loadStored(const QString& itemID);
    void startNew(const QString& itemID);
    ItemRec blankItem(const QString& itemID) const;
    bool addChecked(const ItemBoxes& boxes);
    QString newItemIDProblem(const QString& itemID);
    bool isStored(const QString& itemID);
    Claim writeProduct(const QDateTime& readModDate, QString& changed);
    bool refuse(const QString& text) const;

    Connection& m_db;
    MessageService& m_messages;
    const Clock& m_clock;
    const QList<CategoryRec>& m_categories;
    const QStringList m_statusNames;

    bool m_isNew = true;
    ProductRec m_product;
    ItemRec m_current;
};
