#include "adjustEntry.h"

#include "utility.h"

AdjustEntry EntryFromRecord(const AcctAdjustRec& rec, bool isNew) {
    return {rec.AdjustID,
            rec.Description,
            isNew ? QString() : rec.AdjustAmt.format(),
            DateToDisplay(rec.AdjustDate),
            rec.OrderID,
            rec.ReceiptNum};
}

void ApplyEntry(const AdjustEntry& entry, const QString& employeeID, AcctAdjustRec& rec) {
    rec.AdjustID = entry.AdjustID.trimmed();
    rec.Description = entry.Description.trimmed();
    // Only a checked entry is applied, so the amount reads.
    rec.AdjustAmt = Money::parse(entry.AdjustAmt).value_or(Money());
    rec.AdjustDate = DateToStore(entry.AdjustDate);
    rec.OrderID = entry.OrderID.trimmed();
    rec.ReceiptNum = entry.ReceiptNum.trimmed();
    rec.EmployeeID = employeeID;
}

namespace {

bool numberIsStored(Connection& db, const QString& adjustID) {
    QList<AcctAdjustRec> hits;
    return FindAcctAdjust(db, ByAdjustID, adjustID, hits);
}

} // namespace

QString AdjustmentProblem(Connection& db, const AdjustEntry& entry, bool isNew,
                          const QDate& today) {
    if (entry.Description.trimmed().isEmpty())
        return QStringLiteral("Adjustment Reason missing!");
    // Negative amounts are payouts and refunds.
    if (!Money::parse(entry.AdjustAmt))
        return QStringLiteral("Amount must be numeric!");
    if (!IsDayDate(entry.AdjustDate))
        return QStringLiteral("Adjustment Tran. Date error!");
    if (DateToStore(entry.AdjustDate) > today)
        return QStringLiteral("Adjustment Tran. Date cannot greater than today!");
    if (isNew && numberIsStored(db, entry.AdjustID.trimmed()))
        return QStringLiteral("Adjustment ID already exists!");
    return {};
}
