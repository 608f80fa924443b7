#include "productboxes.h"

#include "utility.h"

namespace {

// No shop has more status codes than this; a stray larger ID is not given a place.
constexpr int MaxStatusCode = 99;

} // namespace

QStringList StatusNames(const QList<ItemStatusRec>& statuses) {
    QStringList names;
    for (const ItemStatusRec& status : statuses) {
        bool ok = false;
        const int code = status.ID.toInt(&ok);
        if (!ok || code < 0 || code > MaxStatusCode)
            continue;
        while (names.size() <= code)
            names.append(QString());
        names[code] = status.Name;
    }
    return names;
}

std::optional<Money> AmountFromBox(const QString& text) {
    const std::optional<Money> amount = Money::parse(text.trimmed());
    if (!amount || *amount < Money())
        return std::nullopt;
    return amount;
}

ProductBoxes ProductToBoxes(const ProductRec& product) {
    return {product.ProductName,
            product.CategoryID,
            product.SupplierID,
            product.UnitCost.format(),
            product.UnitPrice.format(),
            product.Discontinued,
            product.Remarks};
}

void BoxesToProduct(const ProductBoxes& boxes, ProductRec& product) {
    product.ProductName = boxes.ProductName.trimmed();
    product.CategoryID = boxes.CategoryID.trimmed();
    product.SupplierID = boxes.SupplierID.trimmed();
    product.UnitCost = AmountFromBox(boxes.UnitCost).value_or(Money());
    product.UnitPrice = AmountFromBox(boxes.UnitPrice).value_or(Money());
    product.Discontinued = boxes.Discontinued;
    product.Remarks = boxes.Remarks.trimmed();
}

ItemBoxes ItemToBoxes(const ItemRec& item, const QStringList& statusNames) {
    bool ok = false;
    const int code = item.Status.toInt(&ok);
    return {item.ItemID, DateToDisplay(item.PurchaseDate), item.UnitCost.format(),
            item.UnitPrice.format(), ok ? statusNames.value(code) : QString()};
}

void BoxesToItem(const ItemBoxes& boxes, const QStringList& statusNames, const QString& productID,
                 ItemRec& item) {
    item.ItemID = FormatItemID(boxes.ItemID.trimmed());
    item.PurchaseDate = DateToStore(boxes.PurchaseDate);
    item.ProductID = productID;
    item.UnitCost = AmountFromBox(boxes.UnitCost).value_or(Money());
    item.UnitPrice = AmountFromBox(boxes.UnitPrice).value_or(Money());
    item.Status = QString::number(statusNames.indexOf(boxes.Status));
}
