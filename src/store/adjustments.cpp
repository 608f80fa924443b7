#include "adjustments.h"

#include "Connection.h"
#include "MessageService.h"
#include "dbvalue.h"
#include "utility.h"

namespace {

const QString Columns = QStringLiteral(
    "SELECT InDate, ModDate, AdjustID, Description, AdjustAmt, AdjustDate, EmployeeID, "
    "CreateDate, OrderID, ReceiptNum FROM AcctAdjust");

AcctAdjustRec readAdjust(const Rows& q) {
    AcctAdjustRec rec;
    rec.InDate = readStamp(q.value(0));
    rec.ModDate = readStamp(q.value(1));
    rec.AdjustID = readText(q.value(2));
    rec.Description = readText(q.value(3));
    rec.AdjustAmt = readMoney(q.value(4));
    rec.AdjustDate = readDate(q.value(5));
    rec.EmployeeID = readText(q.value(6));
    rec.CreateDate = readDate(q.value(7));
    rec.OrderID = readText(q.value(8));
    rec.ReceiptNum = readText(q.value(9));
    return rec;
}

std::optional<Rows> runSearch(Connection& db, AdjustFindBy kind, const QString& value) {
    const QString source = QStringLiteral("FindAcctAdjust");
    if (kind == ByAdjustID)
        return db.run(Columns + QStringLiteral(" WHERE AdjustID = ?"), {value}, source);
    return db.run(Columns + QStringLiteral(" WHERE Description LIKE ? ESCAPE '\\'"
                                           " ORDER BY Description, AdjustID"),
                  {containsPattern(value)}, source);
}

} // namespace

bool FindAcctAdjust(Connection& db, AdjustFindBy kind, const QString& value,
                    QList<AcctAdjustRec>& hits) {
    // A caller's mistake: say so rather than hand back every adjustment on file.
    if (kind != ByAdjustID && kind != ByDescription) {
        db.messages().show(QStringLiteral("debug: error in FindAcctAdjust!"));
        return false;
    }
    auto q = runSearch(db, kind, value);
    if (!q)
        return false;
    QList<AcctAdjustRec> rows;
    while (q->next())
        rows.append(readAdjust(*q));
    if (!q->ok() || rows.isEmpty())
        return false;
    hits = std::move(rows);
    return true;
}

bool InsertAcctAdjust(Connection& db, const AcctAdjustRec& rec) {
    return db.write(QStringLiteral("INSERT INTO AcctAdjust (InDate, ModDate, AdjustID, "
                                   "Description, AdjustAmt, AdjustDate, EmployeeID, CreateDate, "
                                   "OrderID, ReceiptNum) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {rec.InDate, rec.ModDate, rec.AdjustID, rec.Description,
                     QVariant::fromValue(rec.AdjustAmt), rec.AdjustDate, rec.EmployeeID,
                     rec.CreateDate, rec.OrderID, rec.ReceiptNum},
                    QStringLiteral("InsertAcctAdjust"));
}

bool UpdateAcctAdjust(Connection& db, AcctAdjustRec& rec, const Clock& clock) {
    rec.ModDate = NowStamp(clock);
    return db.write(QStringLiteral("UPDATE AcctAdjust SET ModDate = ?, Description = ?, "
                                   "AdjustAmt = ?, AdjustDate = ?, EmployeeID = ?, "
                                   "CreateDate = ?, OrderID = ?, ReceiptNum = ? "
                                   "WHERE AdjustID = ?"),
                    {rec.ModDate, rec.Description, QVariant::fromValue(rec.AdjustAmt),
                     rec.AdjustDate, rec.EmployeeID, rec.CreateDate, rec.OrderID, rec.ReceiptNum,
                     rec.AdjustID},
                    QStringLiteral("UpdateAcctAdjust"));
}

bool DeleteAcctAdjust(Connection& db, const AcctAdjustRec& rec) {
    return db.write(QStringLiteral("DELETE FROM AcctAdjust WHERE AdjustID = ?"), {rec.AdjustID},
                    QStringLiteral("DeleteAcctAdjust"));
}
