#pragma once

#include "TestDb.h"
#include "adjustments.h"
#include "catalogue.h"
#include "customers.h"
#include "orders.h"
#include "shoprows.h"

// A shop with some history, written through the store's own operations onto a seeded test
// database (category V, VIDEO): titles 000005 BIG FISH with copies B00001 (bought 02/01/2004
// for 1,234.50, rented) and B00002, and 000006 CASABLANCA with copy C00001, both filed under V;
// members 000001 and 000002; order 000001 of member 000001, whose line has had B00001 out
// since 05/03/2004 with a charge for two periods; adjustment 000012 (TILL SHORT, -1,234.50 on
// 01/03/2004 by clerk 07).
namespace stockedshop {

// When the shop's records were entered.
inline const QDateTime Entered(QDate(2003, 6, 1), QTime(10, 0));

// A member on file since the shop's records were entered, with a 90-character address, class
// A and four purchases.
inline CustomerRec member(const QString& id) {
    CustomerRec rec;
    rec.InDate = rec.ModDate = Entered;
    rec.CustomerID = id;
    rec.Active = rec.HKResident = QStringLiteral("Y");
    rec.JoinDate = Entered.date();
    rec.EnglishName = QStringLiteral("LEE SIU LUNG");
    rec.Sex = QStringLiteral("M");
    rec.BirthDate = QDate(1980, 5, 6);
    rec.Address = QStringLiteral("FLAT A, 12/F, BLOCK 3, GOLDEN GARDEN, 123 NATHAN ROAD, "
                                 "YAU MA TEI, KOWLOON, HONG KONG SAR.");
    rec.TransRemarks = rec.Class = QStringLiteral("A");
    rec.BuyCount = 4;
    rec.LastRentDate = NoDate;
    return rec;
}

inline ProductRec title(const QString& id, const QString& name) {
    ProductRec rec;
    rec.InDate = rec.ModDate = Entered;
    rec.ProductID = id;
    rec.ProductName = name;
    rec.CategoryID = QStringLiteral("V");
    return rec;
}

inline ItemRec copy(const QString& id, const QString& productID, const char* cost = "0",
                    const QString& status = QStringLiteral("0")) {
    ItemRec rec;
    rec.InDate = rec.ModDate = Entered;
    rec.ItemID = id;
    rec.PurchaseDate = QDate(2004, 1, 2);
    rec.ProductID = productID;
    rec.UnitCost = *Money::parse(QString::fromLatin1(cost));
    rec.Status = status;
    return rec;
}

// B00001 out on order 000001 of member 000001 since 05/03/2004, charged for two periods.
inline bool rentOut(TestDb& t) {
    const QDateTime start(QDate(2004, 3, 5), QTime(10, 0));
    OrderLine line;
    line.InDate = line.ModDate = line.InitDate = line.StartDate = start;
    line.OrderIdx = line.OrderID = QStringLiteral("000001");
    line.ItemID = QStringLiteral("B00001");
    line.RentStatus = RentStatusCode::Out;
    line.EndDate = start.date().addDays(6);
    line.ReturnDate = NoDate;
    PaymentRec charge;
    charge.InDate = charge.ModDate = charge.StartDate = start;
    charge.OrderIdx = charge.OrderID = line.OrderID;
    charge.ItemID = line.ItemID;
    charge.PayType = PayTypeCode::Rent;
    charge.Quantity = 2;
    charge.ChargeAmt = *Money::parse(QStringLiteral("30"));
    charge.EndDate = line.EndDate;
    charge.SettleDate = charge.PayDate = NoDate;
    charge.PayStatus = PayStatusCode::Unpaid;
    return InsertOrder(t.db(), {start, start, line.OrderID, QStringLiteral("000001"),
                                QStringLiteral("07"), QString(), QString()}) &&
           InsertOrderDetail(t.db(), line) && InsertPayment(t.db(), charge);
}

inline bool stock(TestDb& t) {
    const AcctAdjustRec adjustment{Entered,
                                   Entered,
                                   QStringLiteral("000012"),
                                   QStringLiteral("TILL SHORT"),
                                   *Money::parse(QStringLiteral("-1,234.50")),
                                   QDate(2004, 3, 1),
                                   QStringLiteral("07"),
                                   QDate(2004, 3, 1),
                                   QString(),
                                   QStringLiteral("R-9")};
    CustomerRec first = member(QStringLiteral("000001"));
    CustomerRec second = member(QStringLiteral("000002"));
    const QString bigFish = QStringLiteral("000005");
    const QString casablanca = QStringLiteral("000006");
    return t.ok() && shoprows::inOne(t, [&] {
               return InsertProduct(t.db(), title(bigFish, QStringLiteral("BIG FISH"))) &&
                      InsertItem(t.db(), copy(QStringLiteral("B00001"), bigFish, "1,234.50",
                                              QStringLiteral("1"))) &&
                      InsertItem(t.db(), copy(QStringLiteral("B00002"), bigFish)) &&
                      InsertProduct(t.db(), title(casablanca, QStringLiteral("CASABLANCA"))) &&
                      InsertItem(t.db(), copy(QStringLiteral("C00001"), casablanca)) &&
                      InsertCustomer(t.db(), first) && InsertCustomer(t.db(), second) &&
                      rentOut(t) && InsertAcctAdjust(t.db(), adjustment);
           });
}

} // namespace stockedshop
