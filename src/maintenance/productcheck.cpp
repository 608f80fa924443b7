#include "productcheck.h"

#include "utility.h"

#include <QRegularExpression>

bool IsNumericText(const QString& text) {
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)$)"));
    return number.match(text.trimmed()).hasMatch();
}

bool IsWellFormedItemID(const QString& itemID) {
    static const QRegularExpression shape(QStringLiteral(R"(^(?=.*[A-Za-z])(?=.*\d)[A-Za-z\d]+$)"));
    return shape.match(itemID).hasMatch();
}

QString CheckItemBoxes(const ItemBoxes& boxes, const QStringList& statusNames) {
    if (IsNumericText(boxes.ItemID))
        return boxes.ItemID.trimmed() + NotValidItemIDText;
    if (!IsDayDate(boxes.PurchaseDate))
        return QStringLiteral("Purchase Date error!");
    if (!AmountFromBox(boxes.UnitCost))
        return QStringLiteral("Purchase Price error!");
    if (!AmountFromBox(boxes.UnitPrice))
        return QStringLiteral("Retail Price error!");
    if (boxes.Status.isEmpty() || !statusNames.contains(boxes.Status))
        return QStringLiteral("Item Status error!");
    return {};
}

QString CheckProductBoxes(const ProductBoxes& boxes, const QList<CategoryRec>& categories) {
    const QString code = boxes.CategoryID.trimmed();
    const bool known = std::any_of(categories.begin(), categories.end(),
                                   [&](const CategoryRec& c) { return c.CategoryID == code; });
    if (!known)
        return QStringLiteral("Rate Code error!");
    if (!AmountFromBox(boxes.UnitCost))
        return QStringLiteral("Purchase Price error!");
    if (!AmountFromBox(boxes.UnitPrice))
        return QStringLiteral("Retail Price error!");
    return {};
}
