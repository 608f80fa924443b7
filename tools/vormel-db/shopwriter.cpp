#include "shopwriter.h"

#include "Connection.h"
#include "MessageService.h"
#include "adjustments.h"
#include "baserows.h"
#include "catalogue.h"
#include "customers.h"
#include "dbvalue.h"
#include "orders.h"
#include "utility.h"

namespace shop {

namespace {

const char* const CounterNames[] = {"OrderIdx", "OrderID", "ProductID", "AdjustID"};

} // namespace

qint64 RowCounts::total() const {
    return members + products + copies + orders + lines + charges + sales + adjustments + statuses;
}

bool ShopWriter::start() {
    // A shop holds one row of counters.
    auto q = m_db.run(
        QStringLiteral("SELECT OrderIdx, OrderID, ProductID, AdjustID FROM SerialNo LIMIT 1"), {},
        QStringLiteral("ShopWriter"));
    if (!q)
        return false;
    const bool found = q->next();
    for (int i = 0; i < int(m_next.size()); ++i) {
        // The counter's own rule: one that holds no value gives no number at all.
        if (!found || q->value(i).isNull()) {
            m_db.messages().show(QStringLiteral("debug: Error in getting serial no [") +
                                 QString::fromLatin1(CounterNames[i]) + QStringLiteral("]!"));
            return false;
        }
        m_next[i] = readCount(q->value(i));
    }
    return true;
}

QString ShopWriter::take(Counter counter) {
    return FormatSerial(m_next[int(counter)]++);
}

bool ShopWriter::storeCounters() {
    return m_db.exec(QStringLiteral("UPDATE SerialNo SET OrderIdx = ?, OrderID = ?, ProductID = ?, "
                                    "AdjustID = ?"),
                     {m_next[0], m_next[1], m_next[2], m_next[3]}, QStringLiteral("ShopWriter"));
}

bool ShopWriter::counted(bool ok, qint64& count) {
    if (ok)
        ++count;
    return ok;
}

bool ShopWriter::writeCategory(const CategoryRec& rec) {
    return insertCategory(m_db, rec);
}

bool ShopWriter::writeMember(CustomerRec& rec) {
    return counted(InsertCustomer(m_db, rec), m_written.members);
}

bool ShopWriter::writeProduct(const ProductRec& rec) {
    return counted(InsertProduct(m_db, rec), m_written.products);
}

bool ShopWriter::writeCopy(const ItemRec& rec) {
    return counted(InsertItem(m_db, rec), m_written.copies);
}

bool ShopWriter::writeStatus(const ItemRec& rec) {
    return counted(UpdateItemStatus(m_db, rec), m_written.statuses);
}

bool ShopWriter::writeLine(const OrderLine& line) {
    if (!counted(InsertOrderDetail(m_db, line), m_written.lines))
        return false;
    for (const PaymentRec& p : line.payments) {
        if (!counted(InsertPayment(m_db, p), m_written.charges))
            return false;
    }
    return true;
}

bool ShopWriter::writeOrder(const OrderRec& order) {
    return counted(InsertOrder(m_db, order), m_written.orders);
}

bool ShopWriter::writeSale(const SaleRec& sale) {
    return counted(InsertSale(m_db, sale), m_written.sales);
}

bool ShopWriter::writeAdjustment(AcctAdjustRec& rec) {
    rec.AdjustID = take(Counter::AdjustID);
    return counted(InsertAcctAdjust(m_db, rec), m_written.adjustments);
}

} // namespace shop
