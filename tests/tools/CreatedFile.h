#pragma once

#include "Connection.h"
#include "ScriptedMessages.h"
#include "dbfile.h"
#include "generate.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

// A working file made by createWorkingFile as Flicka.mdb in a temporary folder, then opened
// the way the program opens it, with every box recorded.
class CreatedFile {
public:
    explicit CreatedFile(const WorkingFileSpec& spec) {
        created = createWorkingFile(path(), spec, messages, error);
        db = std::make_unique<Connection>(messages, dir.path());
        opened = created && db->OpenDatabase();
    }

    QString path() const { return dir.filePath(Connection::LiveFile); }
    // The number of rows of "SELECT count(*) FROM " + `from`.
    qint64 count(const QString& from, const QVariantList& values = {}) {
        auto q = db->run(QStringLiteral("SELECT count(*) FROM ") + from, values, "test");
        return q && q->next() ? q->value(0).toLongLong() : -1;
    }

    QTemporaryDir dir;
    ScriptedMessages messages;
    std::unique_ptr<Connection> db;
    QString error;
    bool created = false;
    bool opened = false;
};

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline WorkingFileSpec generatedSpec(const GenerateOptions& options, shop::RowCounts& written) {
    return WorkingFileSpec{options.created(), {}, [options, &written](Connection& db) {
                               return addGeneratedShop(db, options, written);
                           }};
}

// How many rows a count of `from` gives, and the range it must fall in.
struct RowCheck {
    const char* what;
    const char* from;
    qint64 least = 0;
    qint64 most = 0;
};

// What every shop the tools write holds, whatever its size.
inline const QList<RowCheck> TradeInvariants = {
    {"open line not out", "Order_Details d JOIN Items i USING (ItemID) "
                          "WHERE d.RentStatus = '0' AND i.Status <> '1'"},
    {"out without one open line",
     "Items i WHERE Status = '1' AND (SELECT count(*) FROM Order_Details d "
     "WHERE d.ItemID = i.ItemID AND d.RentStatus = '0') <> 1"},
    {"charged wrongly", "Order_Payment WHERE ChargeAmt <> "
                        "CASE WHEN PayType = '3' THEN 0 ELSE UnitRate * Quantity END"},
    {"returned but owing",
     "Order_Payment p JOIN Order_Details d USING (OrderIdx) WHERE d.RentStatus = '1' "
     "AND (p.PayStatus <> 'Y' OR p.SettleDate = '2222-01-01')"},
    {"lines without charge", "Order_Details d WHERE NOT EXISTS "
                             "(SELECT 1 FROM Order_Payment p WHERE p.OrderIdx = d.OrderIdx)"},
    {"lines without order",
     "Order_Details d WHERE NOT EXISTS (SELECT 1 FROM Orders o WHERE o.OrderID = d.OrderID)"},
    {"two open orders", "(SELECT o.CustomerID FROM Orders o JOIN Order_Details d USING (OrderID) "
                        "WHERE d.RentStatus = '0' GROUP BY o.CustomerID "
                        "HAVING count(DISTINCT o.OrderID) > 1)"},
    {"counters not past every number",
     "SerialNo WHERE OrderID = (SELECT max(CAST(OrderID AS INTEGER)) + 1 FROM Orders) AND "
     "OrderIdx = (SELECT max(CAST(OrderIdx AS INTEGER)) + 1 FROM Order_Details) AND "
     "ProductID = (SELECT max(CAST(ProductID AS INTEGER)) + 1 FROM Products) AND "
     "AdjustID = (SELECT max(CAST(AdjustID AS INTEGER)) + 1 FROM AcctAdjust)",
     1, 1},
    {"sales of copies", "Sales s WHERE NOT EXISTS (SELECT 1 FROM Items i WHERE "
                        "i.ItemID = s.RateID AND i.Status = '4')"},
};
