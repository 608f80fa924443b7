#include "receipt.h"

#include "Visit.h"

#include <algorithm>

QString SectionTitle(ReceiptSection section) {
    switch (section) {
    case ReceiptSection::Rentals:
        return QStringLiteral("Rentals");
    case ReceiptSection::Returns:
        return QStringLiteral("Returns");
    case ReceiptSection::Renewals:
        return QStringLiteral("Renewals");
    case ReceiptSection::Sales:
        return QStringLiteral("Sales");
    case ReceiptSection::Settled:
        break;
    }
    return QStringLiteral("Settled");
}

namespace {

ReceiptLine lineOf(const OrderLine& line, ReceiptSection section) {
    ReceiptLine r;
    r.section = section;
    r.itemID = line.ItemID;
    r.title = line.item.ProductName;
    return r;
}

bool isFree(const OrderLine& line) {
    return !line.payments.isEmpty() && line.payments.first().PayType == PayTypeCode::FreeRental;
}

ReceiptLine rental(const OrderLine& line) {
    ReceiptLine r = lineOf(line, ReceiptSection::Rentals);
    r.quantity = line.item.Quantity;
    r.due = line.EndDate;
    r.charge = line.OSAmt;
    if (isFree(line))
        r.note = QStringLiteral("Free");
    return r;
}

// Paid for in cash it counts like any payment; on arrears it is only owed.
ReceiptLine renewal(const OrderLine& line) {
    ReceiptLine r = lineOf(line, ReceiptSection::Renewals);
    r.quantity = line.item.Quantity;
    r.due = line.EndDate;
    r.paidNow = line.IsPaidNow;
    if (line.IsPaidNow) {
        r.charge = line.OSAmt;
        r.late = line.LateAmt;
    } else {
        r.note = QStringLiteral("Arrears, owed ") + (line.OSAmt + line.LateAmt).format();
    }
    return r;
}

// Whatever was still owed on the line, and its late charge, are paid as it comes back.
ReceiptLine paidOff(const OrderLine& line, ReceiptSection section) {
    ReceiptLine r = lineOf(line, section);
    r.charge = line.OSAmt;
    r.late = line.LateAmt;
    return r;
}

ReceiptLine sale(const OrderLine& line) {
    ReceiptLine r = lineOf(line, ReceiptSection::Sales);
    r.quantity = line.item.Quantity;
    r.charge = line.OSAmt;
    return r;
}

// A line counts under every rule that holds for it, as in the counter's totals.
void addLines(const OrderLine& line, QList<ReceiptLine>& lines) {
    if (line.IsNewRent)
        lines.append(rental(line));
    if (line.IsRenewed)
        lines.append(renewal(line));
    if (line.IsReturned)
        lines.append(paidOff(line, ReceiptSection::Returns));
    if (line.IsSale)
        lines.append(sale(line));
    if (line.IsSettled)
        lines.append(paidOff(line, ReceiptSection::Settled));
}

QString memberName(const CustomerRec& c) {
    return c.ChineseName.isEmpty() ? c.EnglishName
                                   : c.EnglishName + QLatin1Char(' ') + c.ChineseName;
}

} // namespace

Receipt MakeReceipt(const Visit& visit, const QString& shopName, const QDateTime& printed) {
    Receipt receipt;
    receipt.shopName = shopName;
    receipt.printed = printed;
    receipt.customerID = visit.customer().CustomerID;
    receipt.customerName = memberName(visit.customer());
    for (const OrderLine& line : visit.OrderLines()) {
        if (!line.IsDeleted)
            addLines(line, receipt.lines);
    }
    std::stable_sort(
        receipt.lines.begin(), receipt.lines.end(),
        [](const ReceiptLine& a, const ReceiptLine& b) { return a.section < b.section; });
    receipt.total = visit.UpdateTotals().total();
    return receipt;
}
