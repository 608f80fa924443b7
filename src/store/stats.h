#pragma once

class Connection;
struct CustomerRec;
struct ItemRec;

// Rental figures are not kept up to date as visits are saved: whenever a member or a copy is
// shown, what its order lines, charges and sales add up to is added to the base figures
// stored in its row. Each step adds, so a record is refreshed once after each read. Nothing
// computed here is written back. A step that meets a database error reports it and returns
// false; whatever it added before the error stays.

// CustStat, GetCustLastRent, AddCustBuyCount and AddCustLateTimes in that order, stopping
// at the first that fails.
bool RefreshCustStats(Connection& db, CustomerRec& rec);

// Adds the charged quantities, late charges left out: all of them to RentTimes, those of
// returned lines to GoodTimes, those of lines marked bad to BadTimes.
bool CustStat(Connection& db, CustomerRec& rec);
// The start of the member's latest rental period, when there is one.
bool GetCustLastRent(Connection& db, CustomerRec& rec);
// Adds the quantity the member bought.
bool AddCustBuyCount(Connection& db, CustomerRec& rec);
// Adds the quantity the member was charged late fees for.
bool AddCustLateTimes(Connection& db, CustomerRec& rec);

// Adds the quantity of every charge on the copy, late charges and free rentals included.
bool AddItemRentQty(Connection& db, ItemRec& rec);
// The start of the copy's latest rental period, when there is one.
bool GetItemLastRent(Connection& db, ItemRec& rec);

// Refill the ranking work tables: one row per member (Cust_Temp) and per copy (Item_Temp)
// with the quantity of all its charges, 0 for none. Each runs as a transaction of its own, so
// a failure leaves the previous rows.
bool RebuildCustTemp(Connection& db);
bool RebuildItemTemp(Connection& db);
