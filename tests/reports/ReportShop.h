#pragma once

#include "TestDb.h"
#include "shoprows.h"
#include "utility.h"

#include <QDate>

// A small shop in February 2004 for the report tests: two categories, a few copies and sale
// codes, three members (one with a Chinese name, one with quotes and commas in his details),
// rentals, a free rental, renewals, late charges, sales and adjustments, some just outside
// the month.
namespace reportshop {

inline QDate feb(int day) {
    return QDate(2004, 2, day);
}

namespace detail {

using shoprows::money;

inline bool rows(TestDb& t, const char* sql, const QList<QVariantList>& rows) {
    for (const QVariantList& values : rows) {
        if (!t.exec(QString::fromUtf8(sql), values))
            return false;
    }
    return true;
}

inline bool catalogue(TestDb& t) {
    return rows(t,
                "INSERT INTO Category (CategoryID, Description, RentUnitRate, RentUnitDays) "
                "VALUES (?, ?, 200000, 2)",
                {{"D", "DVD"}, {"P", "SALE ITEM"}}) &&
           rows(t, "INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES (?, ?, ?)",
                {{"000001", "CASABLANCA", "V"},
                 {"000002", "HERO", "D"},
                 {"000003", "POPCORN", "P"},
                 {"000004", "COLA, \"LARGE\"", "P"}}) &&
           rows(
               t,
               "INSERT INTO Items (ItemID, ProductID, Status, PurchaseDate, UnitCost, UnitPrice, "
               "RentTimes) VALUES (?, ?, ?, ?, ?, ?, ?)",
               {{"V00001", "000001", "1", QDate(2003, 5, 1), money("60"), money("99"), 1},
                {"V00002", "000001", "1", QDate(2003, 5, 1), money("60"), money("99"), QVariant()},
                {"D00001", "000002", "1", QDate(2003, 6, 2), money("90"), money("149"), QVariant()},
                {"S00001", "000003", "4", QDate(2003, 1, 1), money("0"), money("8"), QVariant()},
                {"S00002", "000004", "4", QDate(2003, 1, 1), money("0"), money("10"), QVariant()}});
}

inline bool members(TestDb& t) {
    return rows(t,
                "INSERT INTO Customers (CustomerID, EnglishName, ChineseName, HKID, Address, Sex, "
                "Active, Phone1, Phone2, JoinDate, RentTimes) "
                "VALUES (?, ?, ?, ?, ?, ?, 'Y', ?, ?, ?, ?)",
                {{"000001", "CHAN TAI MAN", "陳大文", "A123456(7)", "FLAT A, 1/F", "M", "91234567",
                  "23456789", feb(3), QVariant()},
                 {"000002", "O'BRIEN \"JACK\"", "", "B7654321", "2 LINE\nROAD", "M", "61234567", "",
                  feb(4), 1},
                 {"000003", "LEE MAN KIT", "李文傑", "C1111111", "", "F", "", "", feb(5),
                  QVariant()}}) &&
           rows(t, "INSERT INTO Orders (OrderID, CustomerID) VALUES (?, ?)",
                {{"O1", "000001"}, {"O2", "000002"}});
}

inline bool rentals(TestDb& t) {
    const QDateTime start(feb(10), QTime(10, 0));
    return rows(t,
                "INSERT INTO Order_Details (OrderIdx, OrderID, ItemID, RentStatus, StartDate, "
                "EndDate, ReturnDate) VALUES (?, ?, ?, ?, ?, ?, ?)",
                {{"L1", "O1", "V00001", "0", start, QDate(2004, 3, 9), NoDate},
                 {"L2", "O1", "D00001", "0", start, QDate(2004, 3, 10), NoDate},
                 {"L3", "O2", "V00002", "0", start, QDate(2004, 3, 1), NoDate},
                 {"L4", "O2", "D00001", "1", start, feb(12), feb(20)}}) &&
           rows(t,
                "INSERT INTO Order_Payment (OrderIdx, OrderID, ItemID, PayType, Quantity, "
                "UnitRate, ChargeAmt, PayDate) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                {{"L1", "O1", "V00001", "0", 2, money("15"), money("30"), feb(10)},
                 {"L2", "O1", "D00001", "0", 1, money("20"), money("20"), feb(15)},
                 {"L3", "O2", "V00002", "0", 1, money("15"), money("15"), feb(20)},
                 {"L3", "O2", "V00002", "2", 1, money("15"), money("15"), feb(25)},
                 {"L4", "O2", "D00001", "1", 2, money("10"), money("20"), feb(20)},
                 {"L4", "O2", "D00001", "3", 1, money("20"), money("0"), feb(12)},
                 {"L4", "O2", "D00001", "0", 1, money("20"), money("20"), QDate(2004, 1, 31)}});
}

inline bool salesAndAdjustments(TestDb& t) {
    return rows(t,
                "INSERT INTO Sales (SaleDate, RateID, CustomerID, Quantity, NetAmt) "
                "VALUES (?, ?, ?, ?, ?)",
                {{feb(5), "S00001", "000001", 2, money("16")},
                 {feb(29), "S00001", "000002", 1, money("8")},
                 {feb(10), "S00002", "000001", 3, money("30")},
                 {QDate(2004, 3, 1), "S00002", "000003", 5, money("50")}}) &&
           rows(t,
                "INSERT INTO AcctAdjust (AdjustID, Description, AdjustAmt, AdjustDate, CreateDate) "
                "VALUES (?, ?, ?, ?, ?)",
                {{"000001", "REFUND, DAMAGED", money("-20"), feb(10), feb(11)},
                 {"000002", "FLOAT", money("7.5"), feb(29), feb(29)},
                 {"000003", "LATER", money("1000"), QDate(2004, 3, 1), QDate(2004, 3, 1)}});
}

// What the ranking rebuild would give: the quantities charged per member and copy.
inline bool rankings(TestDb& t) {
    return rows(t, "INSERT INTO Cust_Temp (CustomerID, TotalTimes) VALUES (?, ?)",
                {{"000001", 3}, {"000002", 2}, {"000003", 0}}) &&
           rows(t, "INSERT INTO Item_Temp (ItemID, TotalTimes) VALUES (?, ?)",
                {{"V00001", 2}, {"V00002", 2}, {"D00001", 4}, {"S00001", 0}, {"S00002", 0}});
}

} // namespace detail

inline bool arrange(TestDb& t) {
    TransactionGuard tx(t.db());
    return tx.begun() && detail::catalogue(t) && detail::members(t) && detail::rentals(t) &&
           detail::salesAndAdjustments(t) && detail::rankings(t) && tx.commit();
}

} // namespace reportshop
