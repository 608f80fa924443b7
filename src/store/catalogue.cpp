#include "catalogue.h"

#include "Connection.h"
#include "MessageService.h"
#include "dbvalue.h"

#include <QVariantList>

namespace {

CategoryRec readCategory(const Rows& q) {
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

const QString ItemColumns =
    QStringLiteral("SELECT InDate, ModDate, ItemID, PurchaseDate, ProductID, UnitCost, UnitPrice, "
                   "RentTimes, LastRentDate, Status FROM Items");

ItemRec readItem(const Rows& q) {
    ItemRec rec;
    rec.InDate = readStamp(q.value(0));
    rec.ModDate = readStamp(q.value(1));
    rec.ItemID = readText(q.value(2));
    rec.PurchaseDate = readDate(q.value(3));
    rec.ProductID = readText(q.value(4));
    rec.UnitCost = readMoney(q.value(5));
    rec.UnitPrice = readMoney(q.value(6));
    // Copies added by the program carry no base count or date yet: 0 and no date.
    rec.RentTimes = readCount(q.value(7));
    rec.LastRentDate = readDateOrNone(q.value(8));
    rec.Status = readText(q.value(9));
    return rec;
}

// A title-search hit: the status column holds the status name, not the code.
ItemRec readTitleHit(const Rows& q) {
    ItemRec rec;
    rec.ItemID = readText(q.value(0));
    rec.ProductName = readText(q.value(1));
    rec.CategoryID = readText(q.value(2));
    rec.Status = readText(q.value(3));
    return rec;
}

// Replaces `list` with every row read, or leaves it untouched when there is none.
template <typename Rec, typename Reader>
bool readAll(std::optional<Rows> q, QList<Rec>& list, Reader read) {
    if (!q)
        return false;
    QList<Rec> rows;
    while (q->next())
        rows.append(read(*q));
    if (!q->ok() || rows.isEmpty())
        return false;
    list = std::move(rows);
    return true;
}

// The first copy of the product that an order line or a sale names; empty when none is.
std::optional<QString> firstCopyInUse(Connection& db, const QString& productID) {
    auto q =
        db.run(QStringLiteral("SELECT Items.ItemID FROM Items WHERE Items.ProductID = ? AND ("
                              "EXISTS (SELECT 1 FROM Order_Details "
                              "WHERE Order_Details.ItemID = Items.ItemID) OR "
                              "EXISTS (SELECT 1 FROM Sales "
                              "WHERE Sales.RateID = Items.ItemID OR Sales.ItemID = Items.ItemID)) "
                              "ORDER BY Items.ItemID LIMIT 1"),
               {productID}, QStringLiteral("DeleteProduct"));
    if (!q)
        return std::nullopt;
    const QString itemID = q->next() ? readText(q->value(0)) : QString();
    q->finish();
    return itemID;
}

// Deletes the product and its copies in one transaction unless a copy is in use, whose ID
// then goes to `inUse`.
bool deleteUnusedProduct(Connection& db, const QString& productID, QString& inUse) {
    TransactionGuard transaction(db);
    if (!transaction.begun())
        return false;
    const std::optional<QString> used = firstCopyInUse(db, productID);
    if (!used)
        return false;
    inUse = *used;
    return inUse.isEmpty() &&
           db.write(QStringLiteral("DELETE FROM Items WHERE ProductID = ?"), {productID},
                    QStringLiteral("DeleteProduct")) &&
           db.write(QStringLiteral("DELETE FROM Products WHERE ProductID = ?"), {productID},
                    QStringLiteral("DeleteProduct")) &&
           transaction.commit();
}

} // namespace

const QString ItemRateColumns =
    QStringLiteral("Items.ItemID, Items.Status, Products.ProductName, Products.CategoryID, "
                   "Category.OverDueRate, Category.RentUnitDays, Category.RentUnitRate, "
                   "Category.UnitPrice, Category.PromoteQty, Category.PromotePrice");
QString itemRateJoins(const QString& join) {
    return QLatin1Char(' ') + join +
           QStringLiteral(" Products ON Products.ProductID = Items.ProductID ") + join +
           QStringLiteral(" Category ON Category.CategoryID = Products.CategoryID");
}

ItemRateRec readItemRate(const Rows& q, int first) {
    ItemRateRec rec;
    rec.ItemID = readText(q.value(first));
    rec.Status = readText(q.value(first + 1));
    rec.ProductName = readText(q.value(first + 2));
    rec.CategoryID = readText(q.value(first + 3));
    rec.OverDueRate = readMoney(q.value(first + 4));
    rec.RentUnitDays = readCount(q.value(first + 5));
    rec.RentUnitRate = readMoney(q.value(first + 6));
    rec.UnitPrice = readMoney(q.value(first + 7));
    rec.PromoteQty = readCount(q.value(first + 8));
    rec.PromotePrice = readMoney(q.value(first + 9));
    return rec;
}

bool GetItemRate(Connection& db, ItemRateRec& rec, const QString& itemID) {
    auto q = db.run(QStringLiteral("SELECT ") + ItemRateColumns + QStringLiteral(" FROM Items") +
                        itemRateJoins(QStringLiteral("JOIN")) +
                        QStringLiteral(" WHERE Items.ItemID = ?"),
                    {itemID}, QStringLiteral("GetItemRate"));
    if (!q || !q->next())
        return false;
    rec = readItemRate(*q, 0);
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
    const auto read = [](const Rows& q) {
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

bool GetProduct(Connection& db, ProductRec& rec) {
    const QString key = rec.Items.isEmpty() ? QString() : rec.Items.first().ProductID;
    auto q = db.run(QStringLiteral("SELECT InDate, ModDate, ProductID, ProductName, CategoryID, "
                                   "SupplierID, QuantityPerUnit, QuantityDescription, UnitCost, "
                                   "UnitPrice, UnitsInStock, UnitsOnOrder, ReorderLevel, "
                                   "Discontinued, Remarks FROM Products WHERE ProductID = ?"),
                    {key}, QStringLiteral("GetProduct"));
    if (!q || !q->next())
        return false;
    rec.InDate = readStamp(q->value(0));
    rec.ModDate = readStamp(q->value(1));
    rec.ProductID = readText(q->value(2));
    rec.ProductName = readText(q->value(3));
    rec.CategoryID = readText(q->value(4));
    rec.SupplierID = readText(q->value(5));
    rec.QuantityPerUnit = readText(q->value(6));
    rec.QuantityDescription = readText(q->value(7));
    rec.UnitCost = readMoney(q->value(8));
    rec.UnitPrice = readMoney(q->value(9));
    rec.UnitsInStock = readCount(q->value(10));
    rec.UnitsOnOrder = readCount(q->value(11));
    rec.ReorderLevel = readCount(q->value(12));
    rec.Discontinued = readText(q->value(13));
    rec.Remarks = readText(q->value(14));
    return true;
}

bool InsertProduct(Connection& db, const ProductRec& rec) {
    return db.write(
        QStringLiteral("INSERT INTO Products (InDate, ModDate, ProductID, ProductName, CategoryID, "
                       "SupplierID, QuantityPerUnit, QuantityDescription, UnitCost, UnitPrice, "
                       "UnitsInStock, UnitsOnOrder, ReorderLevel, Discontinued, Remarks) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {rec.InDate, rec.ModDate, rec.ProductID, rec.ProductName, rec.CategoryID, rec.SupplierID,
         rec.QuantityPerUnit, rec.QuantityDescription, QVariant::fromValue(rec.UnitCost),
         QVariant::fromValue(rec.UnitPrice), rec.UnitsInStock, rec.UnitsOnOrder, rec.ReorderLevel,
         rec.Discontinued, rec.Remarks},
        QStringLiteral("InsertProduct"));
}

bool UpdateProduct(Connection& db, const ProductRec& rec) {
    return db.write(
        QStringLiteral("UPDATE Products SET ModDate = ?, ProductName = ?, CategoryID = ?, "
                       "SupplierID = ?, QuantityPerUnit = ?, QuantityDescription = ?, "
                       "UnitCost = ?, UnitPrice = ?, UnitsInStock = ?, UnitsOnOrder = ?, "
                       "ReorderLevel = ?, Discontinued = ?, Remarks = ? WHERE ProductID = ?"),
        {rec.ModDate, rec.ProductName, rec.CategoryID, rec.SupplierID, rec.QuantityPerUnit,
         rec.QuantityDescription, QVariant::fromValue(rec.UnitCost),
         QVariant::fromValue(rec.UnitPrice), rec.UnitsInStock, rec.UnitsOnOrder, rec.ReorderLevel,
         rec.Discontinued, rec.Remarks, rec.ProductID},
        QStringLiteral("UpdateProduct"));
}

bool DeleteProduct(Connection& db, const QString& productID) {
    QString inUse;
    if (deleteUnusedProduct(db, productID, inUse))
        return true;
    // Told only after the transaction has ended, so nothing stays locked behind the box.
    if (!inUse.isEmpty())
        db.messages().show(QStringLiteral("Item ") + inUse +
                               QStringLiteral(" has transaction records, cannot delete!"),
                           MsgIcon::Exclamation);
    return false;
}

bool FindItemsByTitle(Connection& db, const QString& title, QList<ItemRec>& list) {
    return readAll(
        db.run(QStringLiteral("SELECT Items.ItemID, Products.ProductName, Products.CategoryID, "
                              "ItemStatus.Name FROM Items "
                              "JOIN Products ON Items.ProductID = Products.ProductID "
                              "JOIN ItemStatus ON Items.Status = ItemStatus.ID "
                              "WHERE Products.ProductName LIKE ? ESCAPE '\\' "
                              "ORDER BY Products.ProductName, Items.ItemID"),
               {containsPattern(title)}, QStringLiteral("FindItemsByTitle")),
        list, readTitleHit);
}

bool GetItems(Connection& db, QList<ItemRec>& list, bool byProduct) {
    const ItemRec key = list.isEmpty() ? ItemRec() : list.first();
    const QString where =
        byProduct ? QStringLiteral(" WHERE ProductID = ?") : QStringLiteral(" WHERE ItemID = ?");
    return readAll(db.run(ItemColumns + where + QStringLiteral(" ORDER BY ItemID"),
                          {byProduct ? key.ProductID : key.ItemID}, QStringLiteral("GetItems")),
                   list, readItem);
}

bool InsertItem(Connection& db, const ItemRec& rec) {
    return db.write(QStringLiteral("INSERT INTO Items (InDate, ModDate, ItemID, PurchaseDate, "
                                   "ProductID, UnitCost, UnitPrice, Status) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                    {rec.InDate, rec.ModDate, rec.ItemID, rec.PurchaseDate, rec.ProductID,
                     QVariant::fromValue(rec.UnitCost), QVariant::fromValue(rec.UnitPrice),
                     rec.Status},
                    QStringLiteral("InsertItem"));
}

bool UpdateItem(Connection& db, const ItemRec& rec) {
    return db.write(QStringLiteral("UPDATE Items SET ModDate = ?, PurchaseDate = ?, ProductID = ?, "
                                   "UnitCost = ?, UnitPrice = ?, Status = ? WHERE ItemID = ?"),
                    {rec.ModDate, rec.PurchaseDate, rec.ProductID,
                     QVariant::fromValue(rec.UnitCost), QVariant::fromValue(rec.UnitPrice),
                     rec.Status, rec.ItemID},
                    QStringLiteral("UpdateItem"));
}

bool UpdateItemStatus(Connection& db, const ItemRec& rec) {
    return db.write(QStringLiteral("UPDATE Items SET ModDate = ?, Status = ? WHERE ItemID = ?"),
                    {rec.ModDate, rec.Status, rec.ItemID}, QStringLiteral("UpdateItemStatus"));
}

bool DeleteItemRecord(Connection& db, const ItemRec& rec) {
    return db.write(QStringLiteral("DELETE FROM Items WHERE ItemID = ?"), {rec.ItemID},
                    QStringLiteral("DeleteItemRecord"));
}

bool InsertSale(Connection& db, const SaleRec& rec) {
    return db.write(
        QStringLiteral("INSERT INTO Sales (InDate, ModDate, SaleDate, RateID, ItemID, EmployeeID, "
                       "CustomerID, Quantity, GrossAmt, SurChargeAmt, DiscountAmt, NetAmt, "
                       "Remarks) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {rec.InDate, rec.ModDate, rec.SaleDate, rec.RateID, rec.ItemID, rec.EmployeeID,
         rec.CustomerID, rec.Quantity, QVariant::fromValue(rec.GrossAmt),
         QVariant::fromValue(rec.SurChargeAmt), QVariant::fromValue(rec.DiscountAmt),
         QVariant::fromValue(rec.NetAmt), rec.Remarks},
        QStringLiteral("InsertSale"));
}

std::optional<bool> ItemHasSales(Connection& db, const QString& itemID) {
    auto q = db.run(QStringLiteral("SELECT EXISTS (SELECT 1 FROM Sales "
                                   "WHERE Sales.RateID = ? OR Sales.ItemID = ?)"),
                    {itemID, itemID}, QStringLiteral("ItemHasSales"));
    if (!q || !q->next())
        return std::nullopt;
    return q->value(0).toLongLong() != 0;
}

std::optional<ProductRec> FirstProductInCategory(Connection& db, const QString& categoryID) {
    auto q = db.run(QStringLiteral("SELECT ProductID, ProductName FROM Products "
                                   "WHERE CategoryID = ? ORDER BY ProductID LIMIT 1"),
                    {categoryID}, QStringLiteral("FirstProductInCategory"));
    if (!q)
        return std::nullopt;
    ProductRec product;
    if (q->next()) {
        product.ProductID = readText(q->value(0));
        product.ProductName = readText(q->value(1));
    }
    q->finish();
    return product;
}

QString CategoryInUseText(const QString& categoryID, const ProductRec& product,
                          const QString& refused) {
    return QStringLiteral("Rate Code %1 is used by product %2 (%3), cannot %4!")
        .arg(categoryID, product.ProductID, product.ProductName, refused);
}

bool DeleteCategory(Connection& db, const QString& categoryID) {
    std::optional<ProductRec> user;
    {
        TransactionGuard transaction(db);
        if (!transaction.begun())
            return false;
        user = FirstProductInCategory(db, categoryID);
        if (user && user->ProductID.isEmpty())
            return db.write(QStringLiteral("DELETE FROM Category WHERE CategoryID = ?"),
                            {categoryID}, QStringLiteral("DeleteCategory")) &&
                   transaction.commit();
    }
    // Told only after the transaction has ended, so nothing stays locked behind the box.
    if (user)
        db.messages().show(CategoryInUseText(categoryID, *user, QStringLiteral("delete")),
                           MsgIcon::Exclamation);
    return false;
}
