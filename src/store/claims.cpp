#include "claims.h"

#include "Connection.h"
#include "orders.h"

namespace {

Claim claimOne(std::optional<Rows> q) {
    if (!q)
        return Claim::Failed;
    return q->numRowsAffected() == 1 ? Claim::Written : Claim::Changed;
}

} // namespace

Claim Counted(std::optional<qint64> rows, qint64 expected) {
    if (!rows)
        return Claim::Failed;
    return *rows == expected ? Claim::Written : Claim::Changed;
}

Claim ClaimMember(Connection& db, const QString& customerID, qint64 openLines) {
    const QString source = QStringLiteral("ClaimMember");
    if (!db.exec(
            QStringLiteral("UPDATE Customers SET CustomerID = CustomerID WHERE CustomerID = ?"),
            {customerID}, source))
        return Claim::Failed;
    auto q = db.run(QStringLiteral("SELECT count(*) FROM Orders JOIN Order_Details ON "
                                   "Order_Details.OrderID = Orders.OrderID WHERE "
                                   "Orders.CustomerID = ? AND Order_Details.RentStatus = ?"),
                    {customerID, RentStatusCode::Out}, source);
    if (!q || !q->next())
        return Claim::Failed;
    return q->value(0).toLongLong() == openLines ? Claim::Written : Claim::Changed;
}

Claim MoveItem(Connection& db, const QString& itemID, const QDateTime& at, const QString& from,
               const QString& to) {
    return claimOne(
        db.run(QStringLiteral("UPDATE Items SET ModDate = ?, Status = ? WHERE ItemID = ? AND "
                              "Status = ?"),
               {at, to, itemID, from}, QStringLiteral("MoveItem")));
}

Claim StoreLine(Connection& db, const OrderLine& line, const QDateTime& readModDate) {
    return claimOne(
        db.run(QStringLiteral("UPDATE Order_Details SET ModDate = ?, RentStatus = ?, InitDate = ?, "
                              "StartDate = ?, EndDate = ?, ReturnDate = ? WHERE OrderIdx = ? AND "
                              "RentStatus = ? AND ModDate IS NOT DISTINCT FROM ?"),
               {line.ModDate, line.RentStatus, line.InitDate, line.StartDate, line.EndDate,
                line.ReturnDate, line.OrderIdx, RentStatusCode::Out, readModDate},
               QStringLiteral("StoreLine")));
}
