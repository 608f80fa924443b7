#pragma once

#include "Money.h"
#include "catalogue.h"

#include <QDate>
#include <QDateTime>
#include <QString>

class Connection;

// The rows vormel-db writes, one record per table, fields in column order.
namespace rows {

struct Product {
    QDateTime InDate;
    QDateTime ModDate;
    QString ProductID;
    QString ProductName;
    QString CategoryID;
    QString SupplierID;
    QString QuantityPerUnit = QStringLiteral("1");
    QString QuantityDescription;
    Money UnitCost;
    Money UnitPrice;
    qint64 UnitsInStock = 0;
    qint64 UnitsOnOrder = 0;
    qint64 ReorderLevel = 0;
    QString Discontinued = QStringLiteral("N");
    QString Remarks;
};

struct Item {
    QDateTime InDate;
    QDateTime ModDate;
    QString ItemID;
    QDate PurchaseDate;
    QString ProductID;
    Money UnitCost;
    Money UnitPrice;
    QString Status = QStringLiteral("0");
};

struct Customer {
    QDateTime InDate;
    QDateTime ModDate;
    QString CustomerID;
    QString Active = QStringLiteral("Y");
    QDate JoinDate;
    QString HKID;
    QString HKResident = QStringLiteral("Y");
    QString ChineseName;
    QString EnglishName;
    QString Sex;
    QDate BirthDate;
    QString Address;
    QString Phone1;
    QString Phone2;
    QString Phone3;
    QString Remarks1;
    QString Remarks2;
    QString TransRemarks;
    QString Class;
    qint64 RentTimes = 0;
    qint64 GoodTimes = 0;
    qint64 LateTimes = 0;
    qint64 BadTimes = 0;
    qint64 BuyCount = 0;
    QDate LastRentDate;
};

struct Order {
    QDateTime InDate;
    QDateTime ModDate;
    QString OrderID;
    QString CustomerID;
    QString EmployeeID;
    QString Remarks;
    QString TransRemarks;
};

struct OrderDetail {
    QDateTime InDate;
    QDateTime ModDate;
    QString OrderIdx;
    QString OrderID;
    QString ItemID;
    QString RentStatus;
    QDateTime InitDate;
    QDateTime StartDate;
    QDate EndDate;
    QDate ReturnDate;
};

struct Payment {
    QDateTime InDate;
    QDateTime ModDate;
    QString OrderIdx;
    QString OrderID;
    QString ItemID;
    qint64 RenewIndex = 0;
    QString PayType;
    Money UnitRate;
    qint64 Quantity = 0;
    double Discount = 0;
    Money ChargeAmt;
    QDateTime StartDate;
    QDate EndDate;
    QDate SettleDate;
    QString PayStatus;
    QDate PayDate;
    QString ReceiptNum;
};

struct Sale {
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

struct AcctAdjust {
    QDateTime InDate;
    QDateTime ModDate;
    QString AdjustID;
    QString Description;
    Money AdjustAmt;
    QDate AdjustDate;
    QString EmployeeID;
    QDate CreateDate;
    QString OrderID;
    QString ReceiptNum;
};

// One INSERT each, with bound values; false after the connection's error report.
bool insertCategory(Connection& db, const CategoryRec& r);
bool insertProduct(Connection& db, const Product& r);
bool insertItem(Connection& db, const Item& r);
bool insertCustomer(Connection& db, const Customer& r);
bool insertOrder(Connection& db, const Order& r);
bool insertOrderDetail(Connection& db, const OrderDetail& r);
bool insertPayment(Connection& db, const Payment& r);
bool insertSale(Connection& db, const Sale& r);
bool insertAcctAdjust(Connection& db, const AcctAdjust& r);

} // namespace rows
