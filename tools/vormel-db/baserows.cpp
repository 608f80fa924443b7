#include "baserows.h"

#include "Connection.h"
#include "serials.h"

#include <QStringList>

namespace {

bool insertCodes(Connection& db, const QString& table, const QStringList& names) {
    for (int id = 0; id < names.size(); ++id) {
        if (!db.exec(QStringLiteral("INSERT INTO %1 (ID, Name) VALUES (?, ?)").arg(table),
                     {QString::number(id), names.at(id)}, QStringLiteral("Insert ") + table))
            return false;
    }
    return true;
}

bool insertOpCodes(Connection& db, const QDateTime& created) {
    const OpCodeRec c = OpCodeRec::defaults();
    return db.exec(QStringLiteral("INSERT INTO OpCode (ModDate, ID, AddItem, FreeItem, "
                                  "DeleteItem, EditItem, ReturnItem, RenewItemCash, "
                                  "RenewItemArrears, BadItem, SalesItem) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {created, c.ID, c.AddItem, c.FreeItem, c.DeleteItem, c.EditItem, c.ReturnItem,
                    c.RenewItemCash, c.RenewItemArrears, c.BadItem, c.SalesItem},
                   QStringLiteral("Insert OpCode"));
}

bool insertCounters(Connection& db) {
    return db.exec(QStringLiteral("INSERT INTO SerialNo (OrderIdx, OrderID, ProductID, AdjustID) "
                                  "VALUES (1, 1, 1, 1)"),
                   {}, QStringLiteral("Insert SerialNo"));
}

// An empty summary for the day the file was made, until the first inquiry rewrites it.
bool insertEmptySummary(Connection& db, const QDate& day) {
    QVariantList values = {day, day, QStringLiteral("")};
    for (int i = 0; i < 17; ++i)
        values << qint64(0);
    return db.exec(QStringLiteral("INSERT INTO RptDailyTx VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   values, QStringLiteral("Insert RptDailyTx"));
}

} // namespace

// The store has no category insert of its own: the rate table edits its rows in place.
bool insertCategory(Connection& db, const CategoryRec& c) {
    return db.exec(QStringLiteral("INSERT INTO Category (InDate, ModDate, CategoryID, Description, "
                                  "RentUnitRate, RentUnitDays, OverDueRate, UnitPrice, PromoteQty, "
                                  "PromotePrice) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {c.InDate, c.ModDate, c.CategoryID, c.Description,
                    QVariant::fromValue(c.RentUnitRate), c.RentUnitDays,
                    QVariant::fromValue(c.OverDueRate), QVariant::fromValue(c.UnitPrice),
                    c.PromoteQty, QVariant::fromValue(c.PromotePrice)},
                   QStringLiteral("Insert Category"));
}

CategoryRec videoCategory(const QDateTime& created) {
    CategoryRec c;
    c.InDate = created;
    c.ModDate = created;
    c.CategoryID = QStringLiteral("V");
    c.Description = QStringLiteral("VIDEO");
    c.RentUnitRate = Money::fromWhole(15);
    c.RentUnitDays = 3;
    c.OverDueRate = Money::fromWhole(10);
    return c;
}

bool writeBaseRows(Connection& db, const QDateTime& created) {
    TransactionGuard tx(db);
    return tx.begun() &&
           insertCodes(db, QStringLiteral("ItemStatus"),
                       {QStringLiteral("Available"), QStringLiteral("Rented Out"),
                        QStringLiteral("Damaged"), QStringLiteral("Sold"),
                        QStringLiteral("Rate Code")}) &&
           insertCodes(db, QStringLiteral("PaymentType"),
                       {QStringLiteral("Rent"), QStringLiteral("Late Charge"),
                        QStringLiteral("Renewal"), QStringLiteral("Free Rental")}) &&
           insertOpCodes(db, created) && insertCounters(db) &&
           insertEmptySummary(db, created.date()) && insertCategory(db, videoCategory(created)) &&
           tx.commit();
}
