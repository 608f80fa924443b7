#include "customerstore.h"

#include "Clock.h"
#include "Connection.h"
#include "customerentry.h"
#include "customers.h"
#include "orders.h"
#include "stats.h"
#include "utility.h"

namespace {

bool hasSales(Connection& db, const CustomerRec& rec) {
    auto q = db.run(QStringLiteral("SELECT count(*) FROM Sales WHERE CustomerID = ?"),
                    {rec.CustomerID}, QStringLiteral("HasTransactionRecords"));
    // Unanswered counts as "has sales": the member is then kept as it is.
    return !q || !q->next() || q->value(0).toLongLong() > 0;
}

Claim writeCustomer(Connection& db, const Clock& clock, const CustomerMode& mode,
                    CustomerRec& rec) {
    if (mode.IsNew) {
        rec.InDate = rec.ModDate = NowStamp(clock);
        return InsertCustomer(db, rec) ? Claim::Written : Claim::Failed;
    }
    const Claim claim = ClaimRecord(db, Record::Customer, rec.RAWID, rec.ModDate);
    if (claim != Claim::Written)
        return claim;
    return UpdateCustomer(db, rec, mode.IdEditable, false, clock) ? Claim::Written : Claim::Failed;
}

} // namespace

CustomerMode LoadCustomer(Connection& db, const Clock& clock, const QString& customerID,
                          CustomerRec& rec) {
    CustomerRec stored;
    stored.CustomerID = customerID;
    if (!GetCustomer(db, stored)) {
        rec = NewCustomer(customerID, clock);
        return {};
    }
    RefreshCustStats(db, stored);
    rec = stored;
    return {false, !HasTransactionRecords(db, rec)};
}

bool HasTransactionRecords(Connection& db, const CustomerRec& rec) {
    return CountOrdersOfCustomer(db, rec) || hasSales(db, rec);
}

Claim SaveCustomer(Connection& db, const Clock& clock, const CustomerMode& mode,
                   const CustomerEntry& entry, CustomerRec& rec) {
    CustomerRec changed = rec;
    CopyEntryToRecord(entry, changed);
    TransactionGuard tx(db);
    if (!tx.begun())
        return Claim::Failed;
    const Claim claim = writeCustomer(db, clock, mode, changed);
    if (claim != Claim::Written)
        return claim;
    if (!tx.commit())
        return Claim::Failed;
    rec = changed;
    return Claim::Written;
}
