#include "charges.h"

#include "pricing.h"
#include "utility.h"

#include <cmath>

namespace {

PaymentRec newRow(const OrderLine& line, const QDateTime& now) {
    PaymentRec pay;
    pay.InDate = pay.ModDate = now;
    pay.OrderIdx = line.OrderIdx;
    pay.OrderID = line.OrderID;
    pay.ItemID = line.ItemID;
    pay.RenewIndex = line.LastRenewIndex;
    pay.Discount = 0;
    pay.StartDate = line.StartDate;
    pay.EndDate = line.EndDate;
    const bool paid = line.IsPaidNow;
    pay.PayStatus = paid ? PayStatusCode::Paid : PayStatusCode::Unpaid;
    pay.SettleDate = pay.PayDate = paid ? now.date() : NoDate;
    pay.IsNewPayment = true;
    return pay;
}

// Days charged: the late amount over the daily rate, to the nearest whole day.
qint64 lateDays(const OrderLine& line) {
    const qint64 rate = line.item.OverDueRate.units();
    if (rate <= 0)
        return 0;
    const qint64 days = std::llround(static_cast<double>(line.LateAmt.units()) / rate);
    return days >= 1 ? days : 0;
}

} // namespace

void AddLateChargeRow(OrderLine& line, const QDateTime& now) {
    if (line.LateAmt <= Money())
        return;
    PaymentRec pay = newRow(line, now);
    pay.PayType = PayTypeCode::LateCharge;
    pay.UnitRate = line.item.OverDueRate;
    pay.Quantity = lateDays(line);
    pay.ChargeAmt = line.LateAmt;
    line.payments.append(pay);
}

void AddRenewalRow(OrderLine& line, const QDateTime& now) {
    PaymentRec pay = newRow(line, now);
    pay.PayType = PayTypeCode::Renewal;
    pay.UnitRate = line.item.RentUnitRate;
    pay.Quantity = line.item.Quantity;
    pay.ChargeAmt = ChargeAmount(pay.UnitRate, pay.Quantity, pay.Discount);
    line.payments.append(pay);
}

void PrepareReturnedLine(OrderLine& line, const QDateTime& now) {
    line.ModDate = now;
    line.RentStatus = RentStatusCode::Returned;
    line.ReturnDate = now.date();
    line.IsReturned = line.IsPaidNow = true;
    AddLateChargeRow(line, now);
}

void PrepareRenewedLine(OrderLine& line, const QDateTime& now) {
    line.ModDate = now;
    // The late charge belongs to the period that just ended.
    --line.LastRenewIndex;
    AddLateChargeRow(line, now);
    ++line.LastRenewIndex;
    AddRenewalRow(line, now);
}

void PrepareSettledLine(OrderLine& line, const QDateTime& now) {
    line.ModDate = now;
    AddLateChargeRow(line, now);
}
