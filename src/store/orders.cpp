#include "orders.h"

#include "Connection.h"
#include "MessageService.h"
#include "customers.h"
#include "dbvalue.h"
#include "utility.h"

#include <QHash>
#include <QStringList>

#include <limits>

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

// Gives the line its charges as read, at most MaxLoadedPayments of them.
Charges takePayments(MessageService& messages, OrderLine& line, QList<PaymentRec> rows) {
    if (rows.size() > MaxLoadedPayments) {
        messages.show(QStringLiteral("debug: Order_Payment Array out of bound!"));
        rows.resize(MaxLoadedPayments);
    }
    line.payments = rows;
    if (rows.isEmpty()) {
        messages.show(QStringLiteral("debug: Error in getting payment record!"));
        line.LastRenewIndex = 0;
        return Charges::None;
    }
    line.LastRenewIndex = rows.last().RenewIndex;
    return Charges::Found;
}

std::optional<QList<PaymentRec>> chargesOfLine(Connection& db, const QString& orderIdx) {
    auto q = db.run(QStringLiteral("SELECT ") + PaymentColumns +
                        QStringLiteral(" FROM Order_Payment WHERE OrderIdx = ? "
                                       "ORDER BY StartDate, RenewIndex, PayType LIMIT ?"),
                    {orderIdx, MaxLoadedPayments + 1}, QStringLiteral("LoadPayments"));
    if (!q)
        return std::nullopt;
    QList<PaymentRec> rows;
    while (q->next())
        rows.append(readPayment(*q));
    return q->ok() ? std::optional(rows) : std::nullopt;
}

Charges readPayments(Connection& db, OrderLine& line) {
    const auto rows = chargesOfLine(db, line.OrderIdx);
    return rows ? takePayments(db.messages(), line, *rows) : Charges::Failed;
}

// "T.a, T.b" for the columns "a, b" of table T.
QString qualified(const QString& table, const QString& columns) {
    QStringList names = columns.split(QStringLiteral(", "));
    for (QString& name : names)
        name.prepend(table + QLatin1Char('.'));
    return names.join(QStringLiteral(", "));
}

// The open lines of an order, earliest due first, each with its item's rates; the rates are
// NULL when the copy, its title or its category is missing. Built on first use, after the
// rate columns it borrows exist.
const QString& openLinesWithRates() {
    static const QString sql =
        QStringLiteral("SELECT ") + qualified(QStringLiteral("Order_Details"), DetailColumns) +
        QStringLiteral(", ") + ItemRateColumns +
        QStringLiteral(", Category.CategoryID IS NOT NULL FROM Order_Details "
                       "LEFT JOIN Items ON Items.ItemID = Order_Details.ItemID") +
        itemRateJoins(QStringLiteral("LEFT JOIN")) +
        QStringLiteral(" WHERE Order_Details.OrderID = ? AND Order_Details.RentStatus = ? "
                       "ORDER BY Order_Details.EndDate, Order_Details.OrderIdx");
    return sql;
}
// The rates follow the line's own columns; the last column says whether there are any.
const int RateColumn = int(DetailColumns.count(QLatin1Char(',')) + 1);

// Every charge of the order's open lines, line by line in the order LoadPayments reads them.
const QString ChargesOfOpenLines =
    QStringLiteral("SELECT ") + PaymentColumns +
    QStringLiteral(" FROM Order_Payment WHERE OrderIdx IN (SELECT OrderIdx FROM Order_Details "
                   "WHERE OrderID = ? AND RentStatus = ?) "
                   "ORDER BY OrderIdx, StartDate, RenewIndex, PayType");

// The charges of the order's open lines, by line.
std::optional<QHash<QString, QList<PaymentRec>>> chargesOfOpenLines(Connection& db,
                                                                    const QString& orderID) {
    auto q =
        db.run(ChargesOfOpenLines, {orderID, RentStatusCode::Out}, QStringLiteral("LoadPayments"));
    if (!q)
        return std::nullopt;
    QHash<QString, QList<PaymentRec>> byLine;
    while (q->next()) {
        PaymentRec payment = readPayment(*q);
        byLine[payment.OrderIdx].append(std::move(payment));
    }
    return q->ok() ? std::optional(byLine) : std::nullopt;
}

// The sum of the charges still unpaid, rounded to cents.
Money unpaidSum(const QList<PaymentRec>& charges) {
    Money sum;
    for (const PaymentRec& p : charges)
        if (p.PayStatus == PayStatusCode::Unpaid)
            sum += p.ChargeAmt;
    return roundedToCents(sum);
}

// Charges, unpaid sum and late charge of a loaded line. A line without charges is still
// shown; an item without rates fails the load.
bool completeLine(MessageService& messages, OrderLine& line, const QList<PaymentRec>& charges,
                  bool hasRate, const QDate& today) {
    takePayments(messages, line, charges);
    line.OSAmt = unpaidSum(charges);
    if (!hasRate)
        messages.show(QStringLiteral("debug: error in getting OverDueRate!"));
    line.LateAmt = LateChargeOn(line, today);
    return hasRate;
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
    return ReadOrder(db, orderID, order) &&
           LoadOrderLines(db, orderID, std::numeric_limits<qint64>::max(), today, lines);
}

bool LoadOrderLines(Connection& db, const QString& orderID, qint64 expected, const QDate& today,
                    QList<OrderLine>& lines) {
    auto q = db.run(openLinesWithRates(), {orderID, RentStatusCode::Out},
                    QStringLiteral("LoadOrderLines"));
    if (!q)
        return false;
    QList<OrderLine> found;
    QList<bool> hasRate;
    const int hasRateColumn = q->columns() - 1;
    while (q->next()) {
        if (found.size() == expected) {
            db.messages().show(QStringLiteral("debug: array out of bound!"));
            break;
        }
        found.append(readLine(*q));
        hasRate.append(q->value(hasRateColumn).toBool());
        if (hasRate.last())
            found.last().item = readItemRate(*q, RateColumn);
    }
    q->finish();
    if (!q->ok() || found.isEmpty())
        return false;
    auto charges = chargesOfOpenLines(db, orderID);
    bool ok = charges.has_value();
    for (qsizetype i = 0; ok && i < found.size(); ++i) {
        // Returned at another counter between the two reads: its charges are read on their own,
        // and its save will find it returned.
        const QString& line = found[i].OrderIdx;
        if (!charges->contains(line)) {
            const auto own = chargesOfLine(db, line);
            ok = own.has_value();
            charges->insert(line, own.value_or(QList<PaymentRec>()));
        }
    }
    for (qsizetype i = 0; i < found.size(); ++i) {
        const QList<PaymentRec> ofLine =
            charges ? charges->value(found[i].OrderIdx) : QList<PaymentRec>();
        ok = completeLine(db.messages(), found[i], ofLine, hasRate.at(i), today) && ok;
    }
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

std::optional<qint64> SettlePayments(Connection& db, const PaymentRec& payment) {
    return db.change(QStringLiteral("UPDATE Order_Payment SET ModDate = ?, SettleDate = ? "
                                    "WHERE OrderIdx = ? AND SettleDate = ?"),
                     {payment.ModDate, payment.SettleDate, payment.OrderIdx, NoDate},
                     QStringLiteral("SettlePayments"));
}

// Always writes "Y": the record's own PayStatus is not what this decides.
std::optional<qint64> PayPayments(Connection& db, const PaymentRec& payment) {
    return db.change(QStringLiteral("UPDATE Order_Payment SET ModDate = ?, PayStatus = ?, "
                                    "PayDate = ? WHERE OrderIdx = ? AND PayStatus = ?"),
                     {payment.ModDate, PayStatusCode::Paid, payment.PayDate, payment.OrderIdx,
                      PayStatusCode::Unpaid},
                     QStringLiteral("PayPayments"));
}
