#include "catalogue.h"

#include "Connection.h"
#include "dbvalue.h"

#include <QSqlQuery>

namespace {

CategoryRec readCategory(const QSqlQuery& q) {
    CategoryRec rec;
    rec.InDate = readStamp(q.value(0));
    rec.ModDate = readStamp(q.value(1));
    rec.CategoryID = readText(q.value(2));
    rec.Description = readText(q.value(3));
    rec.RentUnitRate = readMoney(q.value(4));
    rec.RentUnitDays = readCount(q.value(5));
    rec.OverDueRate = readMoney(q.value(6));
    rec.UnitPrice = readMoney(q.value(7));
    rec.PromoteQty = readCount(q.value(8));
    rec.PromotePrice = readMoney(q.value(9));
    return rec;
}

// Replaces `list` with every row read, or leaves it untouched when there is none.
template <typename Rec, typename Reader>
bool readAll(std::optional<QSqlQuery> q, QList<Rec>& list, Reader read) {
    if (!q)
        return false;
    QList<Rec> rows;
    while (q->next())
        rows.append(read(*q));
    if (rows.isEmpty())
        return false;
    list = std::move(rows);
    return true;
}

} // namespace

bool GetItemRate(Connection& db, ItemRateRec& rec, const QString& itemID) {
    auto q = db.run(QStringLiteral(
                        "SELECT Items.ItemID, Items.Status, Products.ProductName, "
                        "Products.CategoryID, Category.OverDueRate, Category.RentUnitDays, "
                        "Category.RentUnitRate, Category.UnitPrice, Category.PromoteQty, "
                        "Category.PromotePrice FROM Items "
                        "JOIN Products ON Products.ProductID = Items.ProductID "
                        "JOIN Category ON Category.CategoryID = Products.CategoryID "
                        "WHERE Items.ItemID = ?"),
                    {itemID}, QStringLiteral("GetItemRate"));
    if (!q || !q->next())
        return false;
    rec.ItemID = readText(q->value(0));
    rec.Status = readText(q->value(1));
    rec.ProductName = readText(q->value(2));
    rec.CategoryID = readText(q->value(3));
    rec.OverDueRate = readMoney(q->value(4));
    rec.RentUnitDays = readCount(q->value(5));
    rec.RentUnitRate = readMoney(q->value(6));
    rec.Quantity = 0;
    rec.UnitPrice = readMoney(q->value(7));
    rec.PromoteQty = readCount(q->value(8));
    rec.PromotePrice = readMoney(q->value(9));
    return true;
}

bool GetCategories(Connection& db, QList<CategoryRec>& list, bool allRows) {
    const QString columns = QStringLiteral(
        "SELECT InDate, ModDate, CategoryID, Description, RentUnitRate, RentUnitDays, "
        "OverDueRate, UnitPrice, PromoteQty, PromotePrice FROM Category");
    const QString order = QStringLiteral(" ORDER BY Description");
    if (allRows)
        return readAll(db.run(columns + order, {}, QStringLiteral("GetCategories")), list,
                       readCategory);
    const QString key = list.isEmpty() ? QString() : list.first().CategoryID;
    return readAll(db.run(columns + QStringLiteral(" WHERE CategoryID = ?") + order, {key},
                          QStringLiteral("GetCategories")),
                   list, readCategory);
}

bool GetItemStatuses(Connection& db, QList<ItemStatusRec>& list, bool allRows) {
    const auto read = [](const QSqlQuery& q) {
        return ItemStatusRec{readText(q.value(0)), readText(q.value(1))};
    };
    const QString columns = QStringLiteral("SELECT ID, Name FROM ItemStatus");
    const QString order = QStringLiteral(" ORDER BY ID");
    if (allRows)
        return readAll(db.run(columns + order, {}, QStringLiteral("GetItemStatuses")), list, read);
    const QString key = list.isEmpty() ? QString() : list.first().ID;
    return readAll(db.run(columns + QStringLiteral(" WHERE ID = ?") + order, {key},
                          QStringLiteral("GetItemStatuses")),
                   list, read);
}
