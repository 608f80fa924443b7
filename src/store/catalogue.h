#pragma once

#include "Money.h"
#include "utility.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class Connection;
class Rows;

// What the counter needs to know about one item: its title, status and its category's rates.
struct ItemRateRec {
    QString ItemID;
    QString Status;
    QString ProductName;
    QString CategoryID;
    Money OverDueRate;
    qint64 RentUnitDays = 0;
    Money RentUnitRate;
    // Not stored: the lookup sets 0 and the visit screen puts the entered quantity here.
    qint64 Quantity = 0;
    Money UnitPrice;
    qint64 PromoteQty = 0;
    Money PromotePrice;
};

// One rental category with its rates (table Category).
struct CategoryRec {
    QDateTime InDate;
    QDateTime ModDate;
    QString CategoryID;
    QString Description;
    Money RentUnitRate;
    qint64 RentUnitDays = 0;
    Money OverDueRate;
    Money UnitPrice;
    qint64 PromoteQty = 0;
    Money PromotePrice;
};

// One item status code and its name (table ItemStatus).
struct ItemStatusRec {
    QString ID;
    QString Name;
};

// One copy of a title, or a rate code (table Items), plus what the product form and the
// title search keep with it.
struct ItemRec {
    QDateTime InDate;
    QDateTime ModDate;
    QString ItemID;
    QDate PurchaseDate;
    QString ProductID;
    Money UnitCost;
    Money UnitPrice;
    // Base figures carried in the row; never written, the statistics add to them in memory.
    qint64 RentTimes = 0;
    QDate LastRentDate = NoDate;
    // A status code; the title search puts the status name here instead.
    QString Status;
    // Pending changes in the product form's item list.
    bool Changed = false;
    bool Deleted = false;
    bool Added = false;
    // Filled by the title search only.
    QString ProductName;
    QString CategoryID;
};

// One title (table Products) with its copies.
struct ProductRec {
    QDateTime InDate;
    QDateTime ModDate;
    QString ProductID;
    QString ProductName;
    QString CategoryID;
    QString SupplierID;
    QString QuantityPerUnit;
    QString QuantityDescription;
    Money UnitCost;
    Money UnitPrice;
    qint64 UnitsInStock = 0;
    qint64 UnitsOnOrder = 0;
    qint64 ReorderLevel = 0;
    QString Discontinued;
    QString Remarks;
    QList<ItemRec> Items;
};

// One sale line (table Sales).
struct SaleRec {
    QDateTime InDate;
    QDateTime ModDate;
    QDate SaleDate;
    QString RateID;
    QString ItemID;
    QString EmployeeID;
    QString CustomerID;
    qint64 Quantity = 0;
    Money GrossAmt;
    Money SurChargeAmt;
    Money DiscountAmt;
    Money NetAmt;
    QString Remarks;
};

// Fills `rec` for the item `itemID` when the item, its product and its category all exist;
// otherwise false and `rec` untouched.
bool GetItemRate(Connection& db, ItemRateRec& rec, const QString& itemID);
// What GetItemRate reads, for statements that read rates beside other rows: its columns, the
// joins from Items that give them ("JOIN", or "LEFT JOIN" to keep rows without rates), and the
// record from the columns starting at `first`.
extern const QString ItemRateColumns;
QString itemRateJoins(const QString& join);
ItemRateRec readItemRate(const Rows& q, int first);

// All categories ordered by description, or with allRows false the one whose CategoryID is
// that of list[0]. False, and the list untouched, when no row was read.
bool GetCategories(Connection& db, QList<CategoryRec>& list, bool allRows);

// All item status codes ordered by ID, or with allRows false the one whose ID is that of
// list[0]. False, and the list untouched, when no row was read.
bool GetItemStatuses(Connection& db, QList<ItemStatusRec>& list, bool allRows);

// Reads the product named by the ProductID of rec.Items[0] into rec's product fields; the item
// list is left as it is. False, and rec untouched, when there is no such product.
bool GetProduct(Connection& db, ProductRec& rec);
// Write the product's own row; its items are written one by one with the item operations.
bool InsertProduct(Connection& db, const ProductRec& rec);
bool UpdateProduct(Connection& db, const ProductRec& rec);
// Deletes the product and all its items in one transaction, but only when no order line or
// sale names any of its items; otherwise shows which copy is in use and deletes nothing.
bool DeleteProduct(Connection& db, const QString& productID);

// Every copy whose title contains `title` (wildcards typed match themselves), ordered by
// title, each with its title, category and status name. False, and the list untouched, when
// nothing matched.
bool FindItemsByTitle(Connection& db, const QString& title, QList<ItemRec>& list);
// The copies of the product of list[0] (byProduct) or the item of list[0], ordered by ItemID.
// False, and the list untouched, when no row was read.
bool GetItems(Connection& db, QList<ItemRec>& list, bool byProduct);
// InsertItem leaves RentTimes and LastRentDate unwritten; the updates never touch them.
bool InsertItem(Connection& db, const ItemRec& rec);
bool UpdateItem(Connection& db, const ItemRec& rec);
bool UpdateItemStatus(Connection& db, const ItemRec& rec);
bool DeleteItemRecord(Connection& db, const ItemRec& rec);

bool InsertSale(Connection& db, const SaleRec& rec);

// True when a sale names the item, as its rate code or as the copy sold. None when the
// question could not be answered (the connection has said why).
std::optional<bool> ItemHasSales(Connection& db, const QString& itemID);

// The first product, by ProductID, filed under the category: only its ProductID and
// ProductName are read, and ProductID is empty when there is none. None when the question
// could not be answered.
std::optional<ProductRec> FirstProductInCategory(Connection& db, const QString& categoryID);
// The refusal for a category that products are filed under, naming one of them; `refused` is
// what cannot be done ("delete", "change").
QString CategoryInUseText(const QString& categoryID, const ProductRec& product,
                          const QString& refused);
// Deletes the category in one transaction, unless a product is filed under it: its copies
// could then no longer be priced. That is refused with a message naming the product.
bool DeleteCategory(Connection& db, const QString& categoryID);
