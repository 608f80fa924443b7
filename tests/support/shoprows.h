#pragma once

#include "Money.h"
#include "TestDb.h"

#include <QString>
#include <QVariant>

// Rows arranged straight in a test database, with only the columns the store's reads and
// sums look at.
namespace shoprows {

// Arranges rows in one transaction: one sync to disk instead of one per row.
template <typename Arrange> bool inOne(TestDb& t, Arrange arrange) {
    if (!t.db().BeginTransaction())
        return false;
    if (arrange())
        return t.db().CommitTransaction();
    t.db().RollbackTransaction();
    return false;
}

inline QVariant money(const char* text) {
    return QVariant::fromValue(*Money::parse(QString::fromLatin1(text)));
}

inline bool category(TestDb& t, const QString& id, const QString& description) {
    return t.exec(QStringLiteral("INSERT INTO Category (CategoryID, Description, RentUnitRate, "
                                 "RentUnitDays, OverDueRate, UnitPrice, PromoteQty, PromotePrice) "
                                 "VALUES (?, ?, 100000, 2, 50000, 0, 0, 0)"),
                  {id, description});
}

inline bool product(TestDb& t, const QString& id, const QString& title,
                    const QString& categoryID = QStringLiteral("V")) {
    return t.exec(QStringLiteral(
                      "INSERT INTO Products (ProductID, ProductName, CategoryID) VALUES (?, ?, ?)"),
                  {id, title, categoryID});
}

inline bool item(TestDb& t, const QString& id, const QString& productID,
                 const QString& status = QStringLiteral("0")) {
    return t.exec(QStringLiteral("INSERT INTO Items (ItemID, ProductID, Status) VALUES (?, ?, ?)"),
                  {id, productID, status});
}

} // namespace shoprows
