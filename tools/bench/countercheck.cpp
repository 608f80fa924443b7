#include "countercheck.h"

#include "Connection.h"
#include "dbvalue.h"
#include "orders.h"

#include <array>

namespace {

const QString Source = QStringLiteral("vormel-bench");

struct Rule {
    const char* name;
    const char* sql;
};

// Each statement gives the rows breaking the rule.
const std::array<Rule, 5> Rules = {{
    {"copy out on two open lines", "SELECT ItemID FROM Order_Details WHERE RentStatus = '0' "
                                   "GROUP BY ItemID HAVING count(*) > 1"},
    {"copy marked rented without an open line",
     "SELECT ItemID FROM Items WHERE Status = '1' AND NOT EXISTS (SELECT 1 FROM Order_Details "
     "WHERE Order_Details.ItemID = Items.ItemID AND Order_Details.RentStatus = '0')"},
    {"open line on a copy not marked rented",
     "SELECT Order_Details.ItemID FROM Order_Details JOIN Items ON Items.ItemID = "
     "Order_Details.ItemID WHERE Order_Details.RentStatus = '0' AND Items.Status <> '1'"},
    {"member with two open orders",
     "SELECT Orders.CustomerID FROM Orders JOIN Order_Details ON Order_Details.OrderID = "
     "Orders.OrderID WHERE Order_Details.RentStatus = '0' GROUP BY Orders.CustomerID "
     "HAVING count(DISTINCT Orders.OrderID) > 1"},
    // The next number handed out must be past every number in use.
    {"number counter not past the numbers in use",
     "SELECT 'OrderIdx' FROM SerialNo WHERE OrderIdx <= (SELECT max(CAST(OrderIdx AS bigint)) "
     "FROM Order_Details) UNION ALL SELECT 'OrderID' FROM SerialNo WHERE OrderID <= (SELECT "
     "max(CAST(OrderID AS bigint)) FROM Orders)"},
}};

const std::array<const char*, 4> Tables = {"Orders", "Order_Details", "Order_Payment", "Sales"};

std::optional<QStringList> column(Connection& db, const QString& sql, const QVariantList& values) {
    auto q = db.run(sql, values, Source);
    if (!q)
        return std::nullopt;
    QStringList found;
    while (q->next())
        found << readText(q->value(0));
    return found;
}

QString firstOf(Connection& db, const QString& sql, const QVariantList& values) {
    return column(db, sql, values).value_or(QStringList{QStringLiteral("?")}).value(0);
}

// The visit as "K01/12 (member 001001)".
QString named(const CounterVisit& v) {
    return QStringLiteral("visit %1/%2 (member %3)").arg(v.counter).arg(v.number).arg(v.member);
}

// The rows added to each table: at least what the stored saves wrote, at most that and all a
// visit of unknown outcome may have written.
void checkCounts(const ShopCensus& before, const ShopCensus& after,
                 const QList<CounterVisit>& visits, QStringList& found) {
    std::array<qint64, Tables.size()> stored{}, maybe{};
    for (const CounterVisit& v : visits) {
        if (v.end == CounterVisit::End::Saved) {
            const std::array<qint64, Tables.size()> wrote = {
                v.orderID.isEmpty() ? 0 : 1, v.newLines.size(), v.payments, v.sales};
            for (std::size_t i = 0; i < Tables.size(); ++i)
                stored[i] += wrote[i];
        }
        if (v.uncertain()) {
            const std::array<qint64, Tables.size()> could = {
                v.plannedLines > 0 ? 1 : 0, v.plannedLines, v.plannedPayments, v.plannedSales};
            for (std::size_t i = 0; i < Tables.size(); ++i)
                maybe[i] += could[i] * (1 + v.failures);
        }
    }
    for (std::size_t i = 0; i < Tables.size(); ++i) {
        const QString table = QString::fromLatin1(Tables[i]);
        const qint64 added = after.rows.value(table) - before.rows.value(table);
        if (added < stored[i] || added > stored[i] + maybe[i])
            found << QStringLiteral("%1: %2 rows added, but the stored saves wrote %3 (and "
                                    "visits of unknown outcome at most %4 more)")
                         .arg(table)
                         .arg(added)
                         .arg(stored[i])
                         .arg(maybe[i]);
    }
}

// Every row a stored save reported is there as it reported it.
void checkSaved(Connection& db, const CounterVisit& v, QStringList& found) {
    const auto expect = [&](const QString& sql, const QVariantList& values, const QString& want,
                            const QString& what) {
        const QString got = firstOf(db, sql, values);
        if (got != want)
            found << named(v) + QStringLiteral(": ") + what + QStringLiteral(" (found \"") + got +
                         QStringLiteral("\")");
    };
    if (!v.orderID.isEmpty())
        expect(QStringLiteral("SELECT CustomerID FROM Orders WHERE OrderID = ?"), {v.orderID},
               v.member, QStringLiteral("order %1 is not the member's").arg(v.orderID));
    for (const QString& line : v.newLines)
        expect(QStringLiteral("SELECT ItemID FROM Order_Details WHERE OrderIdx = ?"),
               {line.section(QLatin1Char(' '), 0, 0)}, line.section(QLatin1Char(' '), 1),
               QStringLiteral("new line %1 is not stored").arg(line));
    for (const QString& line : v.returned)
        expect(QStringLiteral("SELECT RentStatus FROM Order_Details WHERE OrderIdx = ?"), {line},
               RentStatusCode::Returned, QStringLiteral("line %1 is not returned").arg(line));
    for (const QString& renewal : v.renewed)
        expect(QStringLiteral("SELECT count(*) FROM Order_Payment WHERE OrderIdx = ? AND "
                              "RenewIndex = ? AND PayType = ?"),
               {renewal.section(QLatin1Char(' '), 0, 0),
                renewal.section(QLatin1Char(' '), 1).toLongLong(), PayTypeCode::Renewal},
               QStringLiteral("1"), QStringLiteral("renewal %1 is not stored once").arg(renewal));
}

// No charge settled or paid, and no period renewed, by two stored saves.
void checkCollectedOnce(const QList<CounterVisit>& visits, QStringList& found) {
    QHash<QString, QString> by;
    for (const CounterVisit& v : visits) {
        if (v.end != CounterVisit::End::Saved)
            continue;
        QStringList keys = v.collected;
        for (const QString& renewal : v.renewed)
            keys << QStringLiteral("R ") + renewal;
        for (const QString& key : keys) {
            if (by.contains(key))
                found << QStringLiteral("charge \"%1\" collected by %2 and by %3")
                             .arg(key, by.value(key), named(v));
            else
                by.insert(key, named(v));
        }
    }
}

} // namespace

bool takeCensus(Connection& db, ShopCensus& census) {
    for (const char* table : Tables) {
        const auto count =
            column(db, QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(table), {});
        if (!count || count->isEmpty())
            return false;
        census.rows.insert(QString::fromLatin1(table), count->first().toLongLong());
    }
    for (const Rule& rule : Rules) {
        const auto rows = column(db, QString::fromLatin1(rule.sql), {});
        if (!rows)
            return false;
        census.broken.insert(QString::fromLatin1(rule.name),
                             QSet<QString>(rows->begin(), rows->end()));
    }
    return true;
}

QStringList checkShop(Connection& db, const ShopCensus& before, const QList<CounterVisit>& visits) {
    ShopCensus after;
    if (!takeCensus(db, after))
        return {QStringLiteral("the shop could not be read after the run")};
    QStringList found;
    for (const Rule& rule : Rules) {
        const QString name = QString::fromLatin1(rule.name);
        for (const QString& row : after.broken.value(name) - before.broken.value(name))
            found << name + QStringLiteral(": ") + row;
    }
    checkCounts(before, after, visits, found);
    for (const CounterVisit& v : visits) {
        if (v.end == CounterVisit::End::Saved)
            checkSaved(db, v, found);
    }
    checkCollectedOnce(visits, found);
    return found;
}
