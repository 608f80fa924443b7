#pragma once

#include <QString>

#include <array>

class Connection;
struct AcctAdjustRec;
struct CategoryRec;
struct CustomerRec;
struct ItemRec;
struct OrderLine;
struct OrderRec;
struct ProductRec;
struct SaleRec;

namespace shop {

enum class Counter { OrderIdx, OrderID, ProductID, AdjustID };

// How many rows of each kind went on file.
struct RowCounts {
    qint64 members = 0;
    qint64 products = 0;
    qint64 copies = 0;
    qint64 orders = 0;
    qint64 lines = 0;
    qint64 charges = 0;
    qint64 sales = 0;
    qint64 adjustments = 0;
    qint64 statuses = 0;
    qint64 total() const;
};

// Writes a made-up shop's rows through the store's own operations. Numbers are handed out
// as the SerialNo counters would hand them out, but the counters are read once and stored
// once at the end: a statement for every number would double the time a large shop takes.
class ShopWriter {
public:
    explicit ShopWriter(Connection& db) : m_db(db) {}

    // Reads the counters; false, after the counter's message, when one holds no value.
    bool start();
    // The counter's next number as six digits.
    QString take(Counter counter);
    // Leaves every counter one past the last number taken.
    bool storeCounters();

    bool writeCategory(const CategoryRec& rec);
    bool writeMember(CustomerRec& rec);
    bool writeProduct(const ProductRec& rec);
    bool writeCopy(const ItemRec& rec);
    bool writeStatus(const ItemRec& rec);
    // An order line with all its charges.
    bool writeLine(const OrderLine& line);
    bool writeOrder(const OrderRec& order);
    bool writeSale(const SaleRec& sale);
    // Numbers the adjustment, then stores it.
    bool writeAdjustment(AcctAdjustRec& rec);

    const RowCounts& written() const { return m_written; }

private:
    bool counted(bool ok, qint64& count);

    Connection& m_db;
    std::array<qint64, 4> m_next{};
    RowCounts m_written;
};

} // namespace shop
