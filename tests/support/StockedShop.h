#pragma once

#include "TestDb.h"
#include "adjustments.h"
#include "catalogue.h"
#include "customers.h"
#include "orders.h"
#include "shoprows.h"

// A shop with some history on a seeded test database (category V, VIDEO): titles 000005 BIG FISH
// with copies B00001 (bought 02/01/2004 for 1,234.50, rented) and B00002, and 000006 CASABLANCA
// with copy C00001, both filed under V; members 000001 and 000002; order 000001 of member 000001,
// whose line has had B00001 out since 05/03/2004 with a charge for two periods; adjustment 000012
// (TILL SHORT, -1,234.50 on 01/03/2004 by clerk 07).
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

// Every column of each other row, its table first; 2222-01-01 is how no date is stored.
inline bool stock(TestDb& t) {
    const QString on = QStringLiteral("|2003-06-01 10:00:00|2003-06-01 10:00:00|");
    const QString out = QStringLiteral("|2004-03-05 10:00:00|2004-03-05 10:00:00|");
    const QString line = out + QStringLiteral("000001|000001|B00001|");
    const QStringList rows = {
        "Products" + on + "000005|BIG FISH|V||||0|0|0|0|0||",
        "Products" + on + "000006|CASABLANCA|V||||0|0|0|0|0||",
        "Items" + on + "B00001|2004-01-02|000005|12345000|0|||1",
        "Items" + on + "B00002|2004-01-02|000005|0|0|||0",
        "Items" + on + "C00001|2004-01-02|000006|0|0|||0",
        "Orders" + out + "000001|000001|07||",
        "Order_Details" + line + "0" + out + "2004-03-11|2222-01-01",
        "Order_Payment" + line +
            "0|0|0|2|0|300000|2004-03-05 10:00:00|2004-03-11|2222-01-01|N|2222-01-01|",
        "AcctAdjust" + on + "000012|TILL SHORT|-12345000|2004-03-01|07|2004-03-01||R-9"};
    CustomerRec first = member(QStringLiteral("000001"));
    CustomerRec second = member(QStringLiteral("000002"));
    return t.ok() && shoprows::inOne(t, [&] {
               bool ok = InsertCustomer(t.db(), first) && InsertCustomer(t.db(), second);
               for (const QString& row : rows)
                   ok = ok && t.insertRow(row.section('|', 0, 0), row.section('|', 1));
               return ok;
           });
}

} // namespace stockedshop
