#pragma once

#include "catalogue.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The texts of the product form's boxes, as the clerk left them. The form reads its controls
// into these; everything that decides something works on them without a window.

// The product's own boxes.
struct ProductBoxes {
    QString ProductName;
    QString CategoryID;
    QString SupplierID;
    QString UnitCost;
    QString UnitPrice;
    QString Discontinued;
    QString Remarks;
};

// The boxes of the copy being edited; Status is the text of the status combo.
struct ItemBoxes {
    QString ItemID;
    QString PurchaseDate;
    QString UnitCost;
    QString UnitPrice;
    QString Status;
};

// Status names placed at the position equal to their code, so a name's position is the code.
// Codes without a name leave an empty place.
QStringList StatusNames(const QList<ItemStatusRec>& statuses);

// A typed amount: a number, not below zero. None for anything else.
std::optional<Money> AmountFromBox(const QString& text);

ProductBoxes ProductToBoxes(const ProductRec& product);
// Copies the boxes into the product's own fields (trimmed, except the stop flag).
void BoxesToProduct(const ProductBoxes& boxes, ProductRec& product);

ItemBoxes ItemToBoxes(const ItemRec& item, const QStringList& statusNames);
// Copies checked boxes into a copy: the ID normalised, the date in its stored form, the
// status as its code and the copy given to product `productID`. The stamps stay as they were:
// a stored copy's ModDate is what its save checks against.
void BoxesToItem(const ItemBoxes& boxes, const QStringList& statusNames, const QString& productID,
                 ItemRec& item);
