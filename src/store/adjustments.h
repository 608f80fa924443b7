#pragma once

#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class Clock;
class Connection;

// One accounting adjustment: money in or out outside the visits (table AcctAdjust).
struct AcctAdjustRec {
    QDateTime InDate;
    QDateTime ModDate;
    QString AdjustID;
    QString Description;
    // Signed: a refund or a payout is negative.
    Money AdjustAmt;
    QDate AdjustDate;
    QString EmployeeID;
    QDate CreateDate;
    QString OrderID;
    QString ReceiptNum;
};

// How FindAcctAdjust searches: the number exactly, or a part of the description.
enum AdjustFindBy : int { ByAdjustID = -1, ByDescription = -2 };

// The adjustments matching `value` (by description: ordered by description, wildcards typed
// match themselves). The hits replace `hits`; when nothing matches, or the kind is unknown,
// `hits` is left as it was and the result is false.
bool FindAcctAdjust(Connection& db, AdjustFindBy kind, const QString& value,
                    QList<AcctAdjustRec>& hits);

bool InsertAcctAdjust(Connection& db, const AcctAdjustRec& rec);
// Rewrites the adjustment rec.AdjustID, stamping rec.ModDate with the clock's time; the number
// and InDate stay. A number that is not stored changes nothing and is no failure.
bool UpdateAcctAdjust(Connection& db, AcctAdjustRec& rec, const Clock& clock);
bool DeleteAcctAdjust(Connection& db, const AcctAdjustRec& rec);
