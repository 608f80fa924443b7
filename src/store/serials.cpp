#include "serials.h"

#include "Connection.h"
#include "MessageService.h"
#include "dbvalue.h"
#include "utility.h"

#include <QStringList>

#include <optional>

OpCodeRec OpCodeRec::defaults() {
    OpCodeRec rec;
    rec.AddItem = QStringLiteral("A");
    rec.FreeItem = QStringLiteral("F");
    rec.DeleteItem = QStringLiteral("D");
    rec.EditItem = QStringLiteral("E");
    rec.ReturnItem = QStringLiteral("R");
    rec.RenewItemCash = QStringLiteral("RR");
    rec.RenewItemArrears = QStringLiteral("RR*");
    rec.BadItem = QStringLiteral("B");
    rec.SalesItem = QStringLiteral("S");
    return rec;
}

namespace {

const QStringList Counters = {QStringLiteral("OrderIdx"), QStringLiteral("OrderID"),
                              QStringLiteral("ProductID"), QStringLiteral("AdjustID")};

// The counter's current value, advanced by one in the same statement; none when the
// counter is missing or holds no value (handing out a number then would repeat it forever).
std::optional<qint64> takeCounter(Connection& db, const QString& name) {
    if (!Counters.contains(name)) {
        db.ReportError(QStringLiteral("1"), QStringLiteral("GetSerialNo"),
                       QStringLiteral("no such counter: ") + name);
        return std::nullopt;
    }
    // The column name comes from the fixed list above, never from typed text. The shop holds
    // one row of counters.
    const QString sql = QStringLiteral("UPDATE SerialNo SET %1 = %1 + 1 "
                                       "WHERE %1 IS NOT NULL RETURNING %1 - 1")
                            .arg(name);
    auto q = db.run(sql, {}, QStringLiteral("GetSerialNo"));
    if (!q || !q->next())
        return std::nullopt;
    const qint64 value = q->value(0).toLongLong();
    q->finish();
    return value;
}

} // namespace

QString GetSerialNo(Connection& db, const QString& name) {
    const auto value = takeCounter(db, name);
    if (!value) {
        db.messages().show(QStringLiteral("debug: Error in getting serial no [") + name +
                           QStringLiteral("]!"));
        return {};
    }
    return FormatSerial(*value);
}

bool GetOpCodes(Connection& db, OpCodeRec& rec) {
    auto q = db.run(QStringLiteral("SELECT AddItem, FreeItem, DeleteItem, EditItem, ReturnItem, "
                                   "RenewItemCash, RenewItemArrears, BadItem, SalesItem "
                                   "FROM OpCode WHERE ID = ?"),
                    {rec.ID}, QStringLiteral("GetOpCodes"));
    if (!q || !q->next())
        return false;
    QString* fields[] = {&rec.AddItem,          &rec.FreeItem,   &rec.DeleteItem,
                         &rec.EditItem,         &rec.ReturnItem, &rec.RenewItemCash,
                         &rec.RenewItemArrears, &rec.BadItem,    &rec.SalesItem};
    int column = 0;
    for (QString* field : fields)
        *field = readText(q->value(column++));
    return true;
}
