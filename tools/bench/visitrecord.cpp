#include "visitrecord.h"

#include "Visit.h"
#include "utility.h"

#include <algorithm>

namespace {

QString chargeKey(const OrderLine& line, const PaymentRec& p) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(line.OrderIdx)
        .arg(p.RenewIndex)
        .arg(p.PayType, p.InDate.toString(QStringLiteral("yyyyMMddhhmmss")));
}

bool changed(const OrderLine& line) {
    return !line.IsDeleted && !line.IsNewRent && !line.IsSale &&
           (line.IsReturned || line.IsRenewed || line.IsSettled);
}

// The charges the save will settle ("S") and pay ("P"), as the save decides it.
QStringList toCollect(const QList<OrderLine>& lines) {
    QStringList keys;
    for (const OrderLine& line : lines) {
        if (!changed(line))
            continue;
        const bool pay = line.IsReturned || line.IsPaidNow || !line.IsRenewed;
        for (const PaymentRec& p : line.payments) {
            if (p.IsNewPayment)
                continue;
            if (p.SettleDate == NoDate)
                keys << QStringLiteral("S ") + chargeKey(line, p);
            if (pay && p.PayStatus == PayStatusCode::Unpaid)
                keys << QStringLiteral("P ") + chargeKey(line, p);
        }
    }
    return keys;
}

} // namespace

void planVisit(CounterVisit& v, const Visit& visit) {
    v.collected = toCollect(visit.OrderLines());
    for (const OrderLine& line : visit.OrderLines()) {
        if (line.IsDeleted)
            continue;
        v.plannedLines += line.IsNewRent;
        v.plannedSales += line.IsSale;
        v.plannedPayments += line.IsNewRent ? 1 : changed(line) ? 2 : 0;
    }
}

void recordSaved(CounterVisit& v, const Visit& visit, bool newOrder) {
    for (const OrderLine& line : visit.OrderLines()) {
        if (line.IsDeleted)
            continue;
        if (line.IsNewRent) {
            v.newLines << line.OrderIdx + QLatin1Char(' ') + line.ItemID;
            v.payments += line.payments.size() == 1;
        } else if (changed(line)) {
            if (line.IsReturned)
                v.returned << line.OrderIdx;
            if (line.IsRenewed)
                v.renewed << QStringLiteral("%1 %2").arg(line.OrderIdx).arg(line.LastRenewIndex);
            v.payments += std::count_if(line.payments.begin(), line.payments.end(),
                                        [](const PaymentRec& p) { return p.IsNewPayment; });
        }
        v.sales += line.IsSale;
    }
    if (newOrder && !v.newLines.isEmpty())
        v.orderID = visit.order().OrderID;
}
