#pragma once

#include "Money.h"
#include "catalogue.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class Connection;
struct CustomerRec;

// One saved visit (table Orders).
struct OrderRec {
    QDateTime InDate;
    QDateTime ModDate;
    QString OrderID;
    QString CustomerID;
    QString EmployeeID;
    QString Remarks;
    QString TransRemarks;
};

// One charge on an order line (table Order_Payment): the first rental period, a renewal,
// a late charge or a free rental.
struct PaymentRec {
    QDateTime InDate;
    QDateTime ModDate;
    QString OrderIdx;
    QString OrderID;
    QString ItemID;
    qint64 RenewIndex = 0;
    QString PayType;
    Money UnitRate;
    qint64 Quantity = 0;
    double Discount = 0;
    Money ChargeAmt;
    QDateTime StartDate;
    QDate EndDate;
    // NoDate while the charge is unsettled / unpaid.
    QDate SettleDate;
    QString PayStatus;
    QDate PayDate;
    QString ReceiptNum;
    // Made during this visit and not stored yet.
    bool IsNewPayment = false;
};

// Codes of Order_Details.RentStatus and Order_Payment.PayType / PayStatus.
namespace RentStatusCode {
inline const QString Out = QStringLiteral("0");
inline const QString Returned = QStringLiteral("1");
inline const QString Sale = QStringLiteral("2");
} // namespace RentStatusCode
namespace PayTypeCode {
inline const QString Rent = QStringLiteral("0");
inline const QString LateCharge = QStringLiteral("1");
inline const QString Renewal = QStringLiteral("2");
inline const QString FreeRental = QStringLiteral("3");
} // namespace PayTypeCode
namespace PayStatusCode {
inline const QString Paid = QStringLiteral("Y");
inline const QString Unpaid = QStringLiteral("N");
} // namespace PayStatusCode

// A line holds at most this many charges; loading keeps one place free for the visit's own.
constexpr qsizetype MaxPaymentRows = 31;
constexpr qsizetype MaxLoadedPayments = MaxPaymentRows - 1;

// One order line (table Order_Details) with what the counter works out about it.
struct OrderLine {
    QDateTime InDate;
    QDateTime ModDate;
    QString OrderIdx;
    QString OrderID;
    QString ItemID;
    QString RentStatus;
    QDateTime InitDate;
    QDateTime StartDate;
    // Due date of the current rental period.
    QDate EndDate;
    // NoDate while the item is out.
    QDate ReturnDate;
    // The line's charges in load order, then the ones made in this visit; the payment count
    // is payments.size().
    QList<PaymentRec> payments;
    // Sum of the line's unpaid charges; for a line added in this visit, its own charge.
    Money OSAmt;
    // Late charge accrued up to the day the order was loaded.
    Money LateAmt;
    // The item's title, status and rates; its Quantity is the quantity of the last command.
    ItemRateRec item;
    // RenewIndex of the latest charge: the current rental period.
    qint64 LastRenewIndex = 0;
    bool IsDeleted = false;
    bool IsNewRent = false;
    bool IsRenewed = false;
    bool IsReturned = false;
    bool IsSettled = false;
    bool IsPaidNow = false;
    bool IsSale = false;
};

// How FindOrderID and FindRecordInOrder look for lines. Other values are refused.
enum class OrderFindBy : int { Customer = 0, Item = 1 };

// True when the member has at least one order.
bool CountOrdersOfCustomer(Connection& db, const CustomerRec& customer);

// Reads order `orderID` into `order`; order.OrderID is set to it even when it is missing.
bool ReadOrder(Connection& db, const QString& orderID, OrderRec& order);

// Finds an open line of the member (key = CustomerID) or of the item (key = ItemID) and
// gives its order's OrderID and CustomerID; orderID is emptied first.
bool FindOrderID(Connection& db, OrderFindBy type, const QString& key, QString& orderID,
                 QString& customerID);

// True when any line, open or returned, belongs to the member or names the item.
bool FindRecordInOrder(Connection& db, OrderFindBy type, const QString& key);

// Reads the order and its open lines, complete with charges and amounts as of `today`.
// False when the order has no open line or a line could not be completed. The visit's count
// of lines on file is lines.size().
bool LoadOrder(Connection& db, const QString& orderID, const QDate& today, OrderRec& order,
               QList<OrderLine>& lines);

// The order's open lines, earliest due first, at most `expected` of them; each is completed
// with its charges, unpaid sum, item rates and the late charge due by `today`. Two
// statements, however many lines the order has.
bool LoadOrderLines(Connection& db, const QString& orderID, qint64 expected, const QDate& today,
                    QList<OrderLine>& lines);

// Replaces line.payments with the line's stored charges (at most MaxLoadedPayments) and sets
// LastRenewIndex. False, after a message, when the line has none.
bool LoadPayments(Connection& db, OrderLine& line);

// What the line owes for lateness on `today`: its overdue rate for each whole day past its
// due date.
Money LateChargeOn(const OrderLine& line, const QDate& today);

bool InsertOrder(Connection& db, const OrderRec& order);
// Rewrites everything but InDate of the row order.OrderID.
bool UpdateOrder(Connection& db, const OrderRec& order);

bool InsertOrderDetail(Connection& db, const OrderLine& line);
// Rewrites the line's row only while it is still open; a closed row is left alone.
bool UpdateOrderDetail(Connection& db, const OrderLine& line);

bool InsertPayment(Connection& db, const PaymentRec& payment);
// Stamps payment.SettleDate on the unsettled charges of line payment.OrderIdx; how many.
std::optional<qint64> SettlePayments(Connection& db, const PaymentRec& payment);
// Marks the unpaid charges of line payment.OrderIdx paid on payment.PayDate; how many.
std::optional<qint64> PayPayments(Connection& db, const PaymentRec& payment);
