#include "benchshop.h"

#include "dbvalue.h"
#include "utility.h"

namespace {

QVariant firstValue(Connection& db, const QString& sql, const QVariantList& values) {
    auto q = db.run(sql, values, QStringLiteral("vormel-bench"));
    return q && q->next() ? q->value(0) : QVariant();
}

QStringList itemsWithStatus(Connection& db, const QString& status, int count) {
    QStringList items;
    auto q = db.run(QStringLiteral("SELECT ItemID FROM Items WHERE Status = ? ORDER BY ItemID "
                                   "LIMIT ?"),
                    {status, count}, QStringLiteral("vormel-bench"));
    while (q && q->next())
        items << readText(q->value(0));
    return items;
}

// What a clerk types to find someone: the name without its last word.
QString fragmentOf(const QString& name) {
    const qsizetype cut = name.lastIndexOf(QLatin1Char(' '));
    return cut > 0 ? name.left(cut) : name;
}

} // namespace

bool BenchShop::open(const QString& path, QString& error) {
    return m_file.open(path, m_messages, error) && survey(error);
}

bool BenchShop::survey(QString& error) {
    day = readDate(firstValue(db(),
                              QStringLiteral("SELECT max(PayDate) FROM Order_Payment "
                                             "WHERE PayDate < ?"),
                              {NoDate}));
    members = readCount(firstValue(db(), QStringLiteral("SELECT count(*) FROM Customers"), {}));
    lines = readCount(firstValue(db(), QStringLiteral("SELECT count(*) FROM Order_Details"), {}));
    charges = readCount(firstValue(db(), QStringLiteral("SELECT count(*) FROM Order_Payment"), {}));
    shelfCopies = itemsWithStatus(db(), QStringLiteral("0"), 2);
    saleCode = itemsWithStatus(db(), QStringLiteral("4"), 1).value(0);
    if (!day.isValid() || shelfCopies.size() < 2 || saleCode.isEmpty() || !findMember() ||
        !loadVisit()) {
        error = QStringLiteral("the file holds no trade to measure: no member with copies out, "
                               "two copies on the shelf and a sale code");
        return false;
    }
    return true;
}

// The active member with the most copies out.
bool BenchShop::findMember() {
    auto q = db().run(
        QStringLiteral("SELECT Customers.CustomerID, Customers.EnglishName, Orders.OrderID "
                       "FROM Order_Details "
                       "JOIN Orders ON Orders.OrderID = Order_Details.OrderID "
                       "JOIN Customers ON Customers.CustomerID = Orders.CustomerID "
                       "WHERE Order_Details.RentStatus = ? AND Customers.Active = ? "
                       "GROUP BY Orders.OrderID, Customers.CustomerID, Customers.EnglishName "
                       "ORDER BY count(*) DESC, Orders.OrderID LIMIT 1"),
        {RentStatusCode::Out, QStringLiteral("Y")}, QStringLiteral("vormel-bench"));
    if (!q || !q->next())
        return false;
    memberID = readText(q->value(0));
    nameFragment = fragmentOf(readText(q->value(1)));
    order.OrderID = readText(q->value(2));
    return true;
}

// Loaded once to see what is due first, then again on the day the member comes in, with the
// late charges of that day.
bool BenchShop::loadVisit() {
    if (!LoadOrder(db(), order.OrderID, day, order, openLines))
        return false;
    visitDay = std::max(day, openLines.constFirst().EndDate.addDays(1));
    if (!LoadOrder(db(), order.OrderID, visitDay, order, openLines))
        return false;
    overdue = openLines.constFirst();
    return true;
}
