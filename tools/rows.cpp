#include "rows.h"

#include "Connection.h"

#include <QStringList>
#include <QVariantList>

namespace rows {

namespace {

QVariant money(Money m) {
    return QVariant::fromValue(m);
}

// An empty text is stored as empty text, as the forms store it, not as NULL.
QVariantList withEmptyTexts(QVariantList values) {
    for (QVariant& v : values) {
        if (v.metaType() == QMetaType::fromType<QString>() && v.toString().isNull())
            v = QStringLiteral("");
    }
    return values;
}

// Table and column names come from the fixed lists below, never from typed text.
bool insertRow(Connection& db, const QString& table, const QStringList& columns,
               const QVariantList& values) {
    Q_ASSERT(columns.size() == values.size());
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    return db.exec(sql, withEmptyTexts(values), QStringLiteral("Insert ") + table);
}

} // namespace

bool insertCategory(Connection& db, const CategoryRec& r) {
    return insertRow(db, QStringLiteral("Category"),
                     {"InDate", "ModDate", "CategoryID", "Description", "RentUnitRate",
                      "RentUnitDays", "OverDueRate", "UnitPrice", "PromoteQty", "PromotePrice"},
                     {r.InDate, r.ModDate, r.CategoryID, r.Description, money(r.RentUnitRate),
                      r.RentUnitDays, money(r.OverDueRate), money(r.UnitPrice), r.PromoteQty,
                      money(r.PromotePrice)});
}

bool insertProduct(Connection& db, const Product& r) {
    return insertRow(db, QStringLiteral("Products"),
                     {"InDate", "ModDate", "ProductID", "ProductName", "CategoryID", "SupplierID",
                      "QuantityPerUnit", "QuantityDescription", "UnitCost", "UnitPrice",
                      "UnitsInStock", "UnitsOnOrder", "ReorderLevel", "Discontinued", "Remarks"},
                     {r.InDate, r.ModDate, r.ProductID, r.ProductName, r.CategoryID, r.SupplierID,
                      r.QuantityPerUnit, r.QuantityDescription, money(r.UnitCost),
                      money(r.UnitPrice), r.UnitsInStock, r.UnitsOnOrder, r.ReorderLevel,
                      r.Discontinued, r.Remarks});
}

// Like the product form, an item is stored without RentTimes and LastRentDate.
bool insertItem(Connection& db, const Item& r) {
    return insertRow(db, QStringLiteral("Items"),
                     {"InDate", "ModDate", "ItemID", "PurchaseDate", "ProductID", "UnitCost",
                      "UnitPrice", "Status"},
                     {r.InDate, r.ModDate, r.ItemID, r.PurchaseDate, r.ProductID, money(r.UnitCost),
                      money(r.UnitPrice), r.Status});
}

bool insertCustomer(Connection& db, const Customer& r) {
    return insertRow(db, QStringLiteral("Customers"),
                     {"InDate",    "ModDate",    "CustomerID",   "Active",      "JoinDate",
                      "HKID",      "HKResident", "ChineseName",  "EnglishName", "Sex",
                      "BirthDate", "Address",    "Phone1",       "Phone2",      "Phone3",
                      "Remarks1",  "Remarks2",   "TransRemarks", "Class",       "RentTimes",
                      "GoodTimes", "LateTimes",  "BadTimes",     "BuyCount",    "LastRentDate"},
                     {r.InDate,    r.ModDate,    r.CustomerID,   r.Active,      r.JoinDate,
                      r.HKID,      r.HKResident, r.ChineseName,  r.EnglishName, r.Sex,
                      r.BirthDate, r.Address,    r.Phone1,       r.Phone2,      r.Phone3,
                      r.Remarks1,  r.Remarks2,   r.TransRemarks, r.Class,       r.RentTimes,
                      r.GoodTimes, r.LateTimes,  r.BadTimes,     r.BuyCount,    r.LastRentDate});
}

bool insertOrder(Connection& db, const Order& r) {
    return insertRow(
        db, QStringLiteral("Orders"),
        {"InDate", "ModDate", "OrderID", "CustomerID", "EmployeeID", "Remarks", "TransRemarks"},
        {r.InDate, r.ModDate, r.OrderID, r.CustomerID, r.EmployeeID, r.Remarks, r.TransRemarks});
}

bool insertOrderDetail(Connection& db, const OrderDetail& r) {
    return insertRow(db, QStringLiteral("Order_Details"),
                     {"InDate", "ModDate", "OrderIdx", "OrderID", "ItemID", "RentStatus",
                      "InitDate", "StartDate", "EndDate", "ReturnDate"},
                     {r.InDate, r.ModDate, r.OrderIdx, r.OrderID, r.ItemID, r.RentStatus,
                      r.InitDate, r.StartDate, r.EndDate, r.ReturnDate});
}

bool insertPayment(Connection& db, const Payment& r) {
    return insertRow(db, QStringLiteral("Order_Payment"),
                     {"InDate", "ModDate", "OrderIdx", "OrderID", "ItemID", "RenewIndex", "PayType",
                      "UnitRate", "Quantity", "Discount", "ChargeAmt", "StartDate", "EndDate",
                      "SettleDate", "PayStatus", "PayDate", "ReceiptNum"},
                     {r.InDate, r.ModDate, r.OrderIdx, r.OrderID, r.ItemID, r.RenewIndex, r.PayType,
                      money(r.UnitRate), r.Quantity, r.Discount, money(r.ChargeAmt), r.StartDate,
                      r.EndDate, r.SettleDate, r.PayStatus, r.PayDate, r.ReceiptNum});
}

bool insertSale(Connection& db, const Sale& r) {
    return insertRow(db, QStringLiteral("Sales"),
                     {"InDate", "ModDate", "SaleDate", "RateID", "ItemID", "EmployeeID",
                      "CustomerID", "Quantity", "GrossAmt", "SurChargeAmt", "DiscountAmt", "NetAmt",
                      "Remarks"},
                     {r.InDate, r.ModDate, r.SaleDate, r.RateID, r.ItemID, r.EmployeeID,
                      r.CustomerID, r.Quantity, money(r.GrossAmt), money(r.SurChargeAmt),
                      money(r.DiscountAmt), money(r.NetAmt), r.Remarks});
}

bool insertAcctAdjust(Connection& db, const AcctAdjust& r) {
    return insertRow(db, QStringLiteral("AcctAdjust"),
                     {"InDate", "ModDate", "AdjustID", "Description", "AdjustAmt", "AdjustDate",
                      "EmployeeID", "CreateDate", "OrderID", "ReceiptNum"},
                     {r.InDate, r.ModDate, r.AdjustID, r.Description, money(r.AdjustAmt),
                      r.AdjustDate, r.EmployeeID, r.CreateDate, r.OrderID, r.ReceiptNum});
}

} // namespace rows
