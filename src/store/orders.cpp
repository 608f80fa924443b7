#include "orders.h"

#include "Connection.h"
#include "MessageService.h"
#include "customers.h"
#include "dbvalue.h"
#include "utility.h"

#include <QStringList>

namespace {

const QString OrderColumns =
    QStringLiteral("InDate, ModDate, OrderID, CustomerID, EmployeeID, Remarks, TransRemarks");
const QString DetailColumns = QStringLiteral("InDate, ModDate, OrderIdx, OrderID, ItemID, "
                                             "RentStatus, InitDate, StartDate, EndDate, "
                                             "ReturnDate");
const QString PaymentColumns = QStringLiteral(
    "InDate, ModDate, OrderIdx, OrderID, ItemID, RenewIndex, PayType, UnitRate, Quantity, "
    "Discount, ChargeAmt, StartDate, EndDate, SettleDate, PayStatus, PayDate, ReceiptNum");

// "?, ?, ?" for a VALUES list of n columns.
QString marks(qsizetype n) {
    return QStringList(n, QStringLiteral("?")).join(QStringLiteral(", "));
}

QVariant money(Money amount) {
    return QVariant::fromValue(amount);
}

OrderRec readOrder(const Rows& q) {
    OrderRec order;
    order.InDate = readStamp(q.value(0));
    order.ModDate = readStamp(q.value(1));
    order.OrderID = readText(q.value(2));
    order.CustomerID = readText(q.value(3));
    order.EmployeeID = readText(q.value(4));
    order.Remarks = readText(q.value(5));
    order.TransRemarks = readText(q.value(6));
    return order;
}

OrderLine readLine(const Rows& q) {
    OrderLine line;
    line.InDate = readStamp(q.value(0));
    line.ModDate = readStamp(q.value(1));
    line.OrderIdx = readText(q.value(2));
    line.OrderID = readText(q.value(3));
    line.ItemID = readText(q.value(4));
    line.RentStatus = readText(q.value(5));
    line.InitDate = readStamp(q.value(6));
    line.StartDate = readStamp(q.value(7));
    line.EndDate = readDate(q.value(8));
    line.ReturnDate = readDate(q.value(9));
    return line;
}

PaymentRec readPayment(const Rows& q) {
    PaymentRec payment;
    payment.InDate = readStamp(q.value(0));
    payment.ModDate = readStamp(q.value(1));
    payment.OrderIdx = readText(q.value(2));
    payment.OrderID = readText(q.value(3));
    payment.ItemID = readText(q.value(4));
    payment.RenewIndex = readCount(q.value(5));
    payment.PayType = readText(q.value(6));
    payment.UnitRate = readMoney(q.value(7));
    payment.Quantity = readCount(q.value(8));
    payment.Discount = readReal(q.value(9));
    payment.ChargeAmt = readMoney(q.value(10));
    payment.StartDate = readStamp(q.value(11));
    payment.EndDate = readDate(q.value(12));
    payment.SettleDate = readDate(q.value(13));
    payment.PayStatus = readText(q.value(14));
    payment.PayDate = readDate(q.value(15));
    payment.ReceiptNum = readText(q.value(16));
    return payment;
}

// The column a find type compares its key with; none for a type that is not a search.
QString findColumn(OrderFindBy type) {
    switch (type) {
    case OrderFindBy::Customer:
        return QStringLiteral("Orders.CustomerID");
    case OrderFindBy::Item:
        return QStringLiteral("Order_Details.ItemID");
    }
    return {};
}

// Outstanding amounts are kept to the cent, rounded half away from zero.
Money roundedToCents(Money amount) {
    const qint64 units = amount.units();
    const qint64 cents = ((units < 0 ? -units : units) + 50) / 100 * 100;
    return Money::fromUnits(units < 0 ? -cents : cents);
}

enum class Charges { Found, None, Failed };

Charges readPayments(Connection& db, OrderLine& line) {
    auto q = db.run(QStringLiteral("SELECT ") + PaymentColumns +
                        QStringLiteral(" FROM Order_Payment WHERE OrderIdx = ? "
                                       "ORDER BY StartDate, RenewIndex, PayType"),
                    {line.OrderIdx}, QStringLiteral("LoadPayments"));
    if (!q)
        return Charges::Failed;
    QList<PaymentRec> rows;
    while (q->next()) {
        if (rows.size() == MaxLoadedPayments) {
            db.messages().show(QStringLiteral("debug: Order_Payment Array out of bound!"));
            break;
        }
        rows.append(readPayment(*q));
    }
    if (!q->ok())
        return Charges::Failed;
    line.payments = rows;
    if (rows.isEmpty()) {
        db.messages().show(QStringLiteral("debug: Error in getting payment record!"));
        line.LastRenewIndex = 0;
        return Charges::None;
    }
    line.LastRenewIndex = rows.last().RenewIndex;
    return Charges::Found;
}

// Charges, unpaid sum, item rates and late charge of a loaded line. A line without charges
// is still shown; a database failure or an item without rates fails the load.
bool completeLine(Connection& db, OrderLine& line, const QDate& today) {
    bool ok = readPayments(db, line) != Charges::Failed;
    ok = SumUnpaidCharges(db, line) && ok;
    if (!GetItemRate(db, line.item, line.ItemID)) {
        db.messages().show(QStringLiteral("debug: error in getting OverDueRate!"));
        ok = false;
    }
    line.LateAmt = LateChargeOn(line, today);
    return ok;
}

std::optional<qint64> countOf(Connection& db, const QString& sql, const QVariantList& values,
                              const QString& source) {
    auto q = db.run(sql, values, source);
    if (!q || !q->next())
        return std::nullopt;
    return readCount(q->value(0));
}

} // namespace

bool CountOrdersOfCustomer(Connection& db, const CustomerRec& customer) {
    const auto n = countOf(db, QStringLiteral("SELECT count(*) FROM Orders WHERE CustomerID = ?"),
                           {customer.CustomerID}, QStringLiteral("CountOrdersOfCustomer"));
    return n.value_or(0) > 0;
}

bool ReadOrder(Connection& db, const QString& orderID, OrderRec& order) {
    order.OrderID = orderID;
    auto q = db.run(QStringLiteral("SELECT ") + OrderColumns +
                        QStringLiteral(" FROM Orders WHERE OrderID = ?"),
                    {orderID}, QStringLiteral("ReadOrder"));
    if (!q || !q->next())
        return false;
    order = readOrder(*q);
    return true;
}

bool FindOrderID(Connection& db, OrderFindBy type, const QString& key, QString& orderID,
                 QString& customerID) {
    orderID.clear();
    const QString column = findColumn(type);
    if (column.isEmpty()) {
        db.messages().show(QStringLiteral("Debug: Error find type in FindOrderID()!"));
        return false;
    }
    auto q = db.run(QStringLiteral("SELECT Orders.OrderID, Orders.CustomerID FROM Order_Details "
                                   "JOIN Orders ON Order_Details.OrderID = Orders.OrderID "
                                   "WHERE ") +
                        column +
                        QStringLiteral(" = ? AND Order_Details.RentStatus = ? "
                                       "ORDER BY Orders.OrderID LIMIT 1"),
                    {key, RentStatusCode::Out}, QStringLiteral("FindOrderID"));
    if (!q || !q->next())
        return false;
    orderID = readText(q->value(0));
    customerID = readText(q->value(1));
    return true;
}

bool FindRecordInOrder(Connection& db, OrderFindBy type, const QString& key) {
    const QString column = findColumn(type);
    if (column.isEmpty()) {
        db.messages().show(QStringLiteral("Debug: Error find type in FindRecordInOrder()!"));
        return false;
    }
    const auto n = countOf(db,
                           QStringLiteral("SELECT count(*) FROM Order_Details "
                                          "JOIN Orders ON Order_Details.OrderID = Orders.OrderID "
                                          "WHERE ") +
                               column + QStringLiteral(" = ?"),
                           {key}, QStringLiteral("FindRecordInOrder"));
    return n.value_or(0) > 0;
}

bool LoadOrder(Connection& db, const QString& orderID, const QDate& today, OrderRec& order,
               QList<OrderLine>& lines) {
    if (!ReadOrder(db, orderID, order))
        return false;
    const auto open = countOf(
        db,
        QStringLiteral("SELECT count(*) FROM Order_Details WHERE OrderID = ? AND RentStatus = ?"),
        {orderID, RentStatusCode::Out}, QStringLiteral("LoadOrder"));
    if (open.value_or(0) < 1)
        return false;
    return LoadOrderLines(db, orderID, *open, today, lines);
}

bool LoadOrderLines(Connection& db, const QString& orderID, qint64 expected, const QDate& today,
                    QList<OrderLine>& lines) {
    auto q = db.run(QStringLiteral("SELECT ") + DetailColumns +
                        QStringLiteral(" FROM Order_Details WHERE OrderID = ? AND RentStatus = ? "
                                       "ORDER BY EndDate, OrderIdx"),
                    {orderID, RentStatusCode::Out}, QStringLiteral("LoadOrderLines"));
    if (!q)
        return false;
    QList<OrderLine> found;
    while (q->next()) {
        if (found.size() == expected) {
            db.messages().show(QStringLiteral("debug: array out of bound!"));
            break;
        }
        found.append(readLine(*q));
    }
    q->finish();
    if (!q->ok() || found.isEmpty())
        return false;
    bool ok = true;
    for (OrderLine& line : found)
        ok = completeLine(db, line, today) && ok;
    lines = std::move(found);
    return ok;
}

bool LoadPayments(Connection& db, OrderLine& line) {
    return readPayments(db, line) == Charges::Found;
}

Money LateChargeOn(const OrderLine& line, const QDate& today) {
    const qint64 days = line.EndDate.daysTo(today);
    return days >= 1 ? line.item.OverDueRate * days : Money();
}

bool SumUnpaidCharges(Connection& db, OrderLine& line) {
    auto q = db.run(QStringLiteral("SELECT sum(ChargeAmt) FROM Order_Payment "
                                   "WHERE OrderIdx = ? AND PayStatus = ?"),
                    {line.OrderIdx, PayStatusCode::Unpaid}, QStringLiteral("SumUnpaidCharges"));
    if (!q || !q->next())
        return false;
    line.OSAmt = roundedToCents(readMoney(q->value(0)));
    return true;
}

bool InsertOrder(Connection& db, const OrderRec& order) {
    return db.write(QStringLiteral("INSERT INTO Orders (") + OrderColumns +
                        QStringLiteral(") VALUES (") + marks(7) + QStringLiteral(")"),
                    {order.InDate, order.ModDate, order.OrderID, order.CustomerID, order.EmployeeID,
                     order.Remarks, order.TransRemarks},
                    QStringLiteral("InsertOrder"));
}

bool UpdateOrder(Connection& db, const OrderRec& order) {
    return db.write(QStringLiteral("UPDATE Orders SET ModDate = ?, CustomerID = ?, EmployeeID = ?, "
                                   "Remarks = ?, TransRemarks = ? WHERE OrderID = ?"),
                    {order.ModDate, order.CustomerID, order.EmployeeID, order.Remarks,
                     order.TransRemarks, order.OrderID},
                    QStringLiteral("UpdateOrder"));
}

bool InsertOrderDetail(Connection& db, const OrderLine& line) {
    return db.write(QStringLiteral("INSERT INTO Order_Details (") + DetailColumns +
                        QStringLiteral(") VALUES (") + marks(10) + QStringLiteral(")"),
                    {line.InDate, line.ModDate, line.OrderIdx, line.OrderID, line.ItemID,
                     line.RentStatus, line.InitDate, line.StartDate, line.EndDate, line.ReturnDate},
                    QStringLiteral("InsertOrderDetail"));
}

bool UpdateOrderDetail(Connection& db, const OrderLine& line) {
    return db.write(QStringLiteral("UPDATE Order_Details SET ModDate = ?, RentStatus = ?, "
                                   "InitDate = ?, StartDate = ?, EndDate = ?, ReturnDate = ? "
                                   "WHERE OrderIdx = ? AND RentStatus = ?"),
                    {line.ModDate, line.RentStatus, line.InitDate, line.StartDate, line.EndDate,
                     line.ReturnDate, line.OrderIdx, RentStatusCode::Out},
                    QStringLiteral("UpdateOrderDetail"));
}

bool InsertPayment(Connection& db, const PaymentRec& p) {
    return db.write(QStringLiteral("INSERT INTO Order_Payment (") + PaymentColumns +
                        QStringLiteral(") VALUES (") + marks(17) + QStringLiteral(")"),
                    {p.InDate, p.ModDate, p.OrderIdx, p.OrderID, p.ItemID, p.RenewIndex, p.PayType,
                     money(p.UnitRate), p.Quantity, p.Discount, money(p.ChargeAmt), p.StartDate,
                     p.EndDate, p.SettleDate, p.PayStatus, p.PayDate, p.ReceiptNum},
                    QStringLiteral("InsertPayment"));
}

bool SettlePayments(Connection& db, const PaymentRec& payment) {
    return db.write(QStringLiteral("UPDATE Order_Payment SET ModDate = ?, SettleDate = ? "
                                   "WHERE OrderIdx = ? AND SettleDate = ?"),
                    {payment.ModDate, payment.SettleDate, payment.OrderIdx, NoDate},
                    QStringLiteral("SettlePayments"));
}

// Always writes "Y": the record's own PayStatus is not what this decides.
bool PayPayments(Connection& db, const PaymentRec& payment) {
    return db.write(QStringLiteral("UPDATE Order_Payment SET ModDate = ?, PayStatus = ?, "
                                   "PayDate = ? WHERE OrderIdx = ? AND PayStatus = ?"),
                    {payment.ModDate, PayStatusCode::Paid, payment.PayDate, payment.OrderIdx,
                     PayStatusCode::Unpaid},
                    QStringLiteral("PayPayments"));
}
