#include "summaries.h"

#include "Connection.h"
#include "MessageService.h"
#include "dbvalue.h"
#include "orders.h"

#include <QStringList>
#include <QVariantList>

#include <optional>

namespace {

// The period bounds first, then the statement's own values.
QVariantList periodValues(const DailySummary& s, const QVariantList& more = {}) {
    return QVariantList{s.RptDate, s.RptEndDate} + more;
}

// The one row an aggregate gives; nothing after a database error.
std::optional<QVariantList> sumRow(Connection& db, const QString& sql, const QVariantList& values,
                                   const QString& source) {
    auto q = db.run(sql, values, source);
    if (!q)
        return std::nullopt;
    QVariantList row;
    if (q->next()) {
        for (int column = 0; column < q->columns(); ++column)
            row.append(q->value(column));
    }
    return row;
}

struct CategorySplit {
    qint64 v = 0;
    qint64 d = 0;
};

// Sums the (CategoryID, quantity) rows into category "V" and all the others.
std::optional<CategorySplit> splitByCategory(Connection& db, const QString& sql,
                                             const QVariantList& values, const QString& source) {
    auto q = db.run(sql, values, source);
    if (!q)
        return std::nullopt;
    CategorySplit split;
    while (q->next()) {
        const qint64 quantity = readCount(q->value(1));
        if (readText(q->value(0)) == QLatin1String("V"))
            split.v += quantity;
        else
            split.d += quantity;
    }
    if (!q->ok())
        return std::nullopt;
    return split;
}

bool unknownPayType(Connection& db, const QString& source) {
    db.messages().show(QStringLiteral("debug: error in ") + source + QStringLiteral("!"));
    return false;
}

const QStringList SummaryColumns = {
    QStringLiteral("RptDate"),        QStringLiteral("RptEndDate"),
    QStringLiteral("RptMonthDate"),   QStringLiteral("RentVTimes"),
    QStringLiteral("RentDTimes"),     QStringLiteral("FreeTimes"),
    QStringLiteral("RenewVTimes"),    QStringLiteral("RenewDTimes"),
    QStringLiteral("SalesQty"),       QStringLiteral("ReturnVtimes"),
    QStringLiteral("ReturnDtimes"),   QStringLiteral("OverdueVQty"),
    QStringLiteral("OverdueDQty"),    QStringLiteral("BadQty"),
    QStringLiteral("NewCustomerQty"), QStringLiteral("RentAmt"),
    QStringLiteral("RenewAmt"),       QStringLiteral("LateAmt"),
    QStringLiteral("SalesAmt"),       QStringLiteral("AdjustAmt")};

// In the order of SummaryColumns.
QVariantList summaryValues(const DailySummary& s) {
    return {s.RptDate,
            s.RptEndDate,
            s.RptMonthDate,
            s.RentVTimes,
            s.RentDTimes,
            s.FreeTimes,
            s.RenewVTimes,
            s.RenewDTimes,
            s.SalesQty,
            s.ReturnVtimes,
            s.ReturnDtimes,
            s.OverdueVQty,
            s.OverdueDQty,
            s.BadQty,
            s.NewCustomerQty,
            QVariant::fromValue(s.RentAmt),
            QVariant::fromValue(s.RenewAmt),
            QVariant::fromValue(s.LateAmt),
            QVariant::fromValue(s.SalesAmt),
            QVariant::fromValue(s.AdjustAmt)};
}

} // namespace

bool SumPayAmt(Connection& db, DailySummary& s, const QString& payType) {
    const QString source = QStringLiteral("SumPayAmt");
    Money* target = payType == PayTypeCode::Rent         ? &s.RentAmt
                    : payType == PayTypeCode::Renewal    ? &s.RenewAmt
                    : payType == PayTypeCode::LateCharge ? &s.LateAmt
                                                         : nullptr;
    if (!target)
        return unknownPayType(db, source);
    const auto row = sumRow(db,
                            QStringLiteral("SELECT SUM(ChargeAmt) FROM Order_Payment"
                                           " WHERE PayDate BETWEEN ? AND ? AND PayType = ?"),
                            periodValues(s, {payType}), source);
    if (!row)
        return false;
    *target = readMoney(row->value(0));
    return true;
}

bool SumSales(Connection& db, DailySummary& s) {
    const auto row = sumRow(db,
                            QStringLiteral("SELECT SUM(Quantity), SUM(NetAmt) FROM Sales"
                                           " WHERE SaleDate BETWEEN ? AND ?"),
                            periodValues(s), QStringLiteral("SumSales"));
    if (!row)
        return false;
    s.SalesQty = readCount(row->value(0));
    s.SalesAmt = readMoney(row->value(1));
    return true;
}

bool SumPayQtyByCat(Connection& db, DailySummary& s, const QString& payType) {
    const QString source = QStringLiteral("SumPayQtyByCat");
    const bool rent = payType == PayTypeCode::Rent;
    if (!rent && payType != PayTypeCode::Renewal)
        return unknownPayType(db, source);
    const auto split =
        splitByCategory(db,
                        QStringLiteral("SELECT Products.CategoryID, SUM(Order_Payment.Quantity)"
                                       " FROM Order_Payment"
                                       " JOIN Items ON Order_Payment.ItemID = Items.ItemID"
                                       " JOIN Products ON Items.ProductID = Products.ProductID"
                                       " WHERE Order_Payment.PayDate BETWEEN ? AND ?"
                                       " AND Order_Payment.PayType = ?"
                                       " GROUP BY Products.CategoryID"),
                        periodValues(s, {payType}), source);
    if (!split)
        return false;
    (rent ? s.RentVTimes : s.RenewVTimes) = split->v;
    (rent ? s.RentDTimes : s.RenewDTimes) = split->d;
    return true;
}

bool SumPayQty(Connection& db, DailySummary& s) {
    const auto row =
        sumRow(db,
               QStringLiteral("SELECT SUM(Quantity) FROM Order_Payment"
                              " WHERE PayDate BETWEEN ? AND ? AND PayType = ?"),
               periodValues(s, {PayTypeCode::FreeRental}), QStringLiteral("SumPayQty"));
    if (!row)
        return false;
    s.FreeTimes = readCount(row->value(0));
    return true;
}

bool SumReturnQtyByCat(Connection& db, DailySummary& s) {
    // A returned line counts every charge it carries except its late charges.
    const auto split = splitByCategory(
        db,
        QStringLiteral("SELECT Products.CategoryID, SUM(Order_Payment.Quantity)"
                       " FROM Order_Details"
                       " JOIN Order_Payment ON Order_Details.OrderIdx = Order_Payment.OrderIdx"
                       " JOIN Items ON Order_Payment.ItemID = Items.ItemID"
                       " JOIN Products ON Items.ProductID = Products.ProductID"
                       " WHERE Order_Details.ReturnDate BETWEEN ? AND ?"
                       " AND Order_Payment.PayType <> ?"
                       " GROUP BY Products.CategoryID"),
        periodValues(s, {PayTypeCode::LateCharge}), QStringLiteral("SumReturnQtyByCat"));
    if (!split)
        return false;
    s.ReturnVtimes = split->v;
    s.ReturnDtimes = split->d;
    return true;
}

bool SumOverdueQtyByCat(Connection& db, DailySummary& s) {
    const auto split = splitByCategory(
        db,
        QStringLiteral("SELECT Products.CategoryID, SUM(Order_Payment.Quantity)"
                       " FROM Order_Details"
                       " JOIN Items ON Order_Details.ItemID = Items.ItemID"
                       " JOIN Products ON Items.ProductID = Products.ProductID"
                       " JOIN Order_Payment ON Order_Details.OrderIdx = Order_Payment.OrderIdx"
                       " WHERE Order_Payment.PayDate BETWEEN ? AND ?"
                       " AND Order_Payment.PayType = ?"
                       " GROUP BY Products.CategoryID"),
        periodValues(s, {PayTypeCode::LateCharge}), QStringLiteral("SumOverdueQtyByCat"));
    if (!split)
        return false;
    s.OverdueVQty = split->v;
    s.OverdueDQty = split->d;
    return true;
}

bool CountNewCust(Connection& db, DailySummary& s) {
    const auto row = sumRow(db,
                            QStringLiteral("SELECT Count(CustomerID) FROM Customers"
                                           " WHERE JoinDate BETWEEN ? AND ?"),
                            periodValues(s), QStringLiteral("CountNewCust"));
    if (!row)
        return false;
    s.NewCustomerQty = readCount(row->value(0));
    return true;
}

bool SumAdjustAmt(Connection& db, DailySummary& s) {
    const auto row = sumRow(db,
                            QStringLiteral("SELECT SUM(AdjustAmt) FROM AcctAdjust"
                                           " WHERE AdjustDate BETWEEN ? AND ?"),
                            periodValues(s), QStringLiteral("SumAdjustAmt"));
    if (!row)
        return false;
    s.AdjustAmt = readMoney(row->value(0));
    return true;
}

bool UpdateRptDailyTx(Connection& db, const DailySummary& s) {
    const QString source = QStringLiteral("UpdateRptDailyTx");
    TransactionGuard transaction(db);
    if (!transaction.begun())
        return false;
    // The column names come from the fixed list above, never from typed text.
    auto q = db.run(QStringLiteral("UPDATE RptDailyTx SET ") +
                        SummaryColumns.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ?"),
                    summaryValues(s), source);
    if (!q)
        return false;
    const bool updated = q->numRowsAffected() > 0;
    q->finish();
    // A file whose summary row went missing gets it back rather than silently no summary.
    QStringList marks;
    marks.fill(QStringLiteral("?"), SummaryColumns.size());
    return (updated ||
            db.write(QStringLiteral("INSERT INTO RptDailyTx (") +
                         SummaryColumns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                         marks.join(QStringLiteral(", ")) + QStringLiteral(")"),
                     summaryValues(s), source)) &&
           transaction.commit();
}
