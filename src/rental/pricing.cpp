#include "pricing.h"

#include "catalogue.h"
#include "utility.h"

QDate DueDate(const QDateTime& start, const ItemRateRec& rates, qint64 units) {
    return start.date().addDays(rates.RentUnitDays * units);
}

QDateTime RenewalStart(const QDate& dueDate, const QDateTime& now) {
    const QDateTime due(dueDate, QTime(0, 0));
    return now <= due ? due : now;
}

Money SalePrice(const ItemRateRec& rates, qint64 pieces) {
    const qint64 bundle = rates.PromoteQty;
    if (bundle <= 0 || bundle > pieces)
        return rates.UnitPrice * pieces;
    const qint64 rest = pieces % bundle;
    return rates.PromotePrice * ((pieces - rest) / bundle) + rates.UnitPrice * rest;
}

Money ChargeAmount(Money unitRate, qint64 quantity, double discount) {
    return (unitRate * quantity).scaled(1.0 - discount);
}

OrderLine NewRentalLine(const ItemRateRec& rates, const QString& orderID, bool free,
                        const QDateTime& now) {
    OrderLine line;
    line.InDate = line.ModDate = line.InitDate = line.StartDate = now;
    line.OrderID = orderID;
    line.ItemID = rates.ItemID;
    line.RentStatus = RentStatusCode::Out;
    line.EndDate = DueDate(now, rates, rates.Quantity);
    line.ReturnDate = NoDate;

    PaymentRec pay;
    pay.InDate = pay.ModDate = now;
    pay.OrderID = orderID;
    pay.ItemID = rates.ItemID;
    pay.StartDate = line.StartDate;
    pay.EndDate = line.EndDate;
    pay.RenewIndex = 0;
    pay.PayType = free ? PayTypeCode::FreeRental : PayTypeCode::Rent;
    pay.UnitRate = rates.RentUnitRate;
    pay.Quantity = rates.Quantity;
    pay.Discount = free ? 1.0 : 0.0;
    pay.ChargeAmt = ChargeAmount(pay.UnitRate, pay.Quantity, pay.Discount);
    pay.SettleDate = pay.PayDate = now.date();
    pay.PayStatus = PayStatusCode::Paid;
    pay.IsNewPayment = true;
    line.payments = {pay};

    line.OSAmt = pay.ChargeAmt;
    line.item = rates;
    line.IsNewRent = line.IsPaidNow = true;
    return line;
}

OrderLine NewSaleLine(const ItemRateRec& rates, const QDateTime& now) {
    OrderLine line;
    line.InDate = line.ModDate = line.InitDate = line.StartDate = now;
    line.EndDate = now.date();
    line.ItemID = rates.ItemID;
    line.RentStatus = RentStatusCode::Sale;
    line.ReturnDate = NoDate;
    line.OSAmt = SalePrice(rates, rates.Quantity);
    line.item = rates;
    line.IsSale = line.IsPaidNow = true;
    return line;
}

qint64 QuantityValue(const QString& text) {
    const QString trimmed = text.trimmed();
    qint64 value = 0;
    for (QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || value > 1'000'000'000)
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}
