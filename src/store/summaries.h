#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

class Connection;

// The takings and counts of one period, as the summary row RptDailyTx holds them. "V" figures
// count copies of category "V", "D" figures copies of every other category. A new record is
// the cleared one: no dates, every figure 0.
struct DailySummary {
    // The period, both days included.
    QDate RptDate;
    QDate RptEndDate;
    // The month of a monthly inquiry, as typed.
    QString RptMonthDate;
    qint64 RentVTimes = 0;
    qint64 RentDTimes = 0;
    qint64 FreeTimes = 0;
    qint64 RenewVTimes = 0;
    qint64 RenewDTimes = 0;
    qint64 SalesQty = 0;
    qint64 ReturnVtimes = 0;
    qint64 ReturnDtimes = 0;
    qint64 OverdueVQty = 0;
    qint64 OverdueDQty = 0;
    // Nothing records damage yet, so this stays 0.
    qint64 BadQty = 0;
    qint64 NewCustomerQty = 0;
    Money RentAmt;
    Money RenewAmt;
    Money LateAmt;
    Money SalesAmt;
    Money AdjustAmt;
};

// Each sum reads the period from the record and sets only its own figures; after a failure
// (reported) those figures keep their earlier values.

// Charges paid in the period of pay type "0" (RentAmt), "2" (RenewAmt) or "1" (LateAmt).
bool SumPayAmt(Connection& db, DailySummary& s, const QString& payType);
// Quantity and net takings of the period's sales.
bool SumSales(Connection& db, DailySummary& s);
// Quantities paid in the period, split V/D: pay type "0" rentals, "2" renewals.
bool SumPayQtyByCat(Connection& db, DailySummary& s, const QString& payType);
// Quantity of free rentals (pay type "3") in the period.
bool SumPayQty(Connection& db, DailySummary& s);
// Quantities of the lines returned in the period, every charge but late charges, split V/D.
bool SumReturnQtyByCat(Connection& db, DailySummary& s);
// Quantities charged late fees paid in the period, split V/D.
bool SumOverdueQtyByCat(Connection& db, DailySummary& s);
// Members who joined in the period.
bool CountNewCust(Connection& db, DailySummary& s);
// Adjustments that count for the period.
bool SumAdjustAmt(Connection& db, DailySummary& s);

// Stores the record in every row of RptDailyTx, creating the row when the table has none.
bool UpdateRptDailyTx(Connection& db, const DailySummary& s);
