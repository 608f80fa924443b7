#pragma once

#include "TestDb.h"
#include "utility.h"

#include <QDate>

// A small shop in February 2004 for the report tests: two categories, a few copies and sale
// codes, three members (one with a Chinese name, one with quotes and commas in his details),
// rentals, a free rental, renewals, late charges, sales and adjustments, some just outside
// the month. Amounts are stored in ten-thousandths; 2222-01-01 is a copy not yet back.
namespace reportshop {

inline QDate feb(int day) {
    return QDate(2004, 2, day);
}

namespace detail {

inline const char* const Rows[] = {
    "INSERT INTO Category (CategoryID, Description, RentUnitRate, RentUnitDays) VALUES "
    "('D', 'DVD', 200000, 2), ('P', 'SALE ITEM', 200000, 2)",
    "INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES ('000001', 'CASABLANCA', "
    "'V'), ('000002', 'HERO', 'D'), ('000003', 'POPCORN', 'P'), ('000004', 'COLA, \"LARGE\"', 'P')",
    "INSERT INTO Items (ItemID, ProductID, Status, PurchaseDate, UnitCost, UnitPrice, RentTimes) "
    "VALUES ('V00001', '000001', '1', '2003-05-01', 600000, 990000, 1), "
    "('V00002', '000001', '1', '2003-05-01', 600000, 990000, NULL), "
    "('D00001', '000002', '1', '2003-06-02', 900000, 1490000, NULL), "
    "('S00001', '000003', '4', '2003-01-01', 0, 80000, NULL), "
    "('S00002', '000004', '4', '2003-01-01', 0, 100000, NULL)",
    "INSERT INTO Customers (CustomerID, EnglishName, ChineseName, HKID, Address, Sex, Active, "
    "Phone1, Phone2, JoinDate, RentTimes) VALUES ('000001', 'CHAN TAI MAN', '陳大文', "
    "'A123456(7)', 'FLAT A, 1/F', 'M', 'Y', '91234567', '23456789', '2004-02-03', NULL), "
    "('000002', 'O''BRIEN \"JACK\"', '', 'B7654321', '2 LINE\nROAD', 'M', 'Y', '61234567', '', "
    "'2004-02-04', 1), ('000003', 'LEE MAN KIT', '李文傑', 'C1111111', '', 'F', 'Y', '', '', "
    "'2004-02-05', NULL)",
    "INSERT INTO Orders (OrderID, CustomerID) VALUES ('O1', '000001'), ('O2', '000002')",
    "INSERT INTO Order_Details (OrderIdx, OrderID, ItemID, RentStatus, StartDate, EndDate, "
    "ReturnDate) VALUES ('L1', 'O1', 'V00001', '0', '2004-02-10 10:00:00', '2004-03-09', "
    "'2222-01-01'), ('L2', 'O1', 'D00001', '0', '2004-02-10 10:00:00', '2004-03-10', "
    "'2222-01-01'), ('L3', 'O2', 'V00002', '0', '2004-02-10 10:00:00', '2004-03-01', "
    "'2222-01-01'), ('L4', 'O2', 'D00001', '1', '2004-02-10 10:00:00', '2004-02-12', "
    "'2004-02-20')",
    "INSERT INTO Order_Payment (OrderIdx, OrderID, ItemID, PayType, Quantity, UnitRate, "
    "ChargeAmt, PayDate) VALUES ('L1', 'O1', 'V00001', '0', 2, 150000, 300000, '2004-02-10'), "
    "('L2', 'O1', 'D00001', '0', 1, 200000, 200000, '2004-02-15'), "
    "('L3', 'O2', 'V00002', '0', 1, 150000, 150000, '2004-02-20'), "
    "('L3', 'O2', 'V00002', '2', 1, 150000, 150000, '2004-02-25'), "
    "('L4', 'O2', 'D00001', '1', 2, 100000, 200000, '2004-02-20'), "
    "('L4', 'O2', 'D00001', '3', 1, 200000, 0, '2004-02-12'), "
    "('L4', 'O2', 'D00001', '0', 1, 200000, 200000, '2004-01-31')",
    "INSERT INTO Sales (SaleDate, RateID, CustomerID, Quantity, NetAmt) VALUES "
    "('2004-02-05', 'S00001', '000001', 2, 160000), ('2004-02-29', 'S00001', '000002', 1, 80000), "
    "('2004-02-10', 'S00002', '000001', 3, 300000), ('2004-03-01', 'S00002', '000003', 5, 500000)",
    "INSERT INTO AcctAdjust (AdjustID, Description, AdjustAmt, AdjustDate, CreateDate) VALUES "
    "('000001', 'REFUND, DAMAGED', -200000, '2004-02-10', '2004-02-11'), "
    "('000002', 'FLOAT', 75000, '2004-02-29', '2004-02-29'), "
    "('000003', 'LATER', 10000000, '2004-03-01', '2004-03-01')",
    // What the ranking rebuild would give: the quantities charged per member and copy.
    "INSERT INTO Cust_Temp (CustomerID, TotalTimes) VALUES ('000001', 3), ('000002', 2), "
    "('000003', 0)",
    "INSERT INTO Item_Temp (ItemID, TotalTimes) VALUES ('V00001', 2), ('V00002', 2), "
    "('D00001', 4), ('S00001', 0), ('S00002', 0)",
};

} // namespace detail

inline bool arrange(TestDb& t) {
    TransactionGuard tx(t.db());
    bool ok = tx.begun();
    for (const char* sql : detail::Rows)
        ok = ok && t.exec(QString::fromUtf8(sql));
    return ok && tx.commit();
}

} // namespace reportshop
