#include "claims.h"

#include "Connection.h"
#include "orders.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

Claim claimOne(std::optional<Rows> q) {
    if (!q)
        return Claim::Failed;
    return q->numRowsAffected() == 1 ? Claim::Written : Claim::Changed;
}

// Table and key names come from this list only; every value is bound.
struct Keyed {
    const char* table;
    const char* key;
    const char* changed;
};

const Keyed& keyed(Record kind) {
    static const std::array<Keyed, 4> rows = {
        {{"Customers", "RAWID",
          "Customer (%1) was changed at another counter; open the member again!"},
         {"Products", "ProductID",
          "Product (%1) was changed at another counter; open the product again!"},
         {"Items", "ItemID",
          "The Item (%1) was changed at another counter; open the product again!"},
         {"Category", "CategoryID",
          "Rate Code (%1) was changed at another counter; the row shows what is stored now!"}}};
    return rows.at(std::size_t(kind));
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

// The line's stored charges are counted too: two renewals stored within one second leave the
// same ModDate, but the second finds the first one's charge. A line loaded with as many
// charges as load may hold more.
Claim StoreLine(Connection& db, const OrderLine& line, const QDateTime& readModDate) {
    const qint64 charges = std::count_if(line.payments.begin(), line.payments.end(),
                                         [](const PaymentRec& p) { return !p.IsNewPayment; });
    const qint64 most = charges < MaxLoadedPayments ? charges : std::numeric_limits<qint64>::max();
    return claimOne(db.run(
        QStringLiteral("UPDATE Order_Details SET ModDate = ?, RentStatus = ?, InitDate = ?, "
                       "StartDate = ?, EndDate = ?, ReturnDate = ? WHERE OrderIdx = ? AND "
                       "RentStatus = ? AND ModDate IS NOT DISTINCT FROM ? AND (SELECT count(*) "
                       "FROM Order_Payment WHERE Order_Payment.OrderIdx = Order_Details.OrderIdx) "
                       "BETWEEN ? AND ?"),
        {line.ModDate, line.RentStatus, line.InitDate, line.StartDate, line.EndDate,
         line.ReturnDate, line.OrderIdx, RentStatusCode::Out, readModDate, charges, most},
        QStringLiteral("StoreLine")));
}

Claim ClaimRecord(Connection& db, Record kind, const QVariant& key, const QDateTime& readModDate) {
    const Keyed& row = keyed(kind);
    return claimOne(db.run(QStringLiteral("UPDATE %1 SET ModDate = ModDate WHERE %2 = ? AND "
                                          "ModDate IS NOT DISTINCT FROM ?")
                               .arg(QLatin1String(row.table), QLatin1String(row.key)),
                           {key, readModDate}, QStringLiteral("ClaimRecord")));
}

QString RecordChangedText(Record kind, const QString& shownKey) {
    return QString::fromLatin1(keyed(kind).changed).arg(shownKey);
}
