#include "ShopFixture.h"

#include "catalogue.h"
#include "customers.h"

#include <QTest>

namespace {

Money money(const QString& text) {
    return Money::parse(text).value_or(Money());
}

} // namespace

ShopFixture::ShopFixture() : t(true), clock(QDateTime(QDate(2004, 3, 10), QTime(18, 40))) {
    m_ok = t.ok() && t.exec("DELETE FROM Category");
}

void ShopFixture::addCategory(const QString& id, const QString& rate, qint64 days,
                              const QString& overdue, const QString& unitPrice, qint64 bundle,
                              const QString& bundlePrice) {
    m_ok =
        m_ok && t.exec(QStringLiteral("INSERT INTO Category (CategoryID, Description, "
                                      "RentUnitRate, RentUnitDays, OverDueRate, UnitPrice, "
                                      "PromoteQty, PromotePrice) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                       {id, id, QVariant::fromValue(money(rate)), days,
                        QVariant::fromValue(money(overdue)), QVariant::fromValue(money(unitPrice)),
                        bundle, QVariant::fromValue(money(bundlePrice))});
}

void ShopFixture::addItem(const QString& itemID, const QString& title, const QString& categoryID,
                          const QString& status) {
    ProductRec product;
    product.ProductID = QStringLiteral("P%1").arg(++m_product, 5, 10, QLatin1Char('0'));
    product.ProductName = title;
    product.CategoryID = categoryID;
    product.Discontinued = QStringLiteral("N");
    ItemRec item;
    item.ItemID = itemID;
    item.ProductID = product.ProductID;
    item.PurchaseDate = QDate(2004, 1, 1);
    item.Status = status;
    m_ok = m_ok && InsertProduct(db(), product) && InsertItem(db(), item);
}

void ShopFixture::addMember(const QString& customerID, const QString& active, const QDate& birth,
                            const QString& resident) {
    CustomerRec c;
    c.CustomerID = customerID;
    c.Active = active;
    c.BirthDate = birth;
    c.HKResident = resident;
    c.EnglishName = QStringLiteral("MEMBER ") + customerID;
    c.JoinDate = QDate(2004, 1, 1);
    c.LastRentDate = NoDate;
    m_ok = m_ok && InsertCustomer(db(), c);
}

void ShopFixture::addCounterShop() {
    addCategory("V", "15", 3, "5");
    addCategory("S", "0", 0, "0", "10", 3, "25");
    const QStringList copies = {"000001", "ALIEN",      "000002", "BRAZIL",
                                "000003", "CASABLANCA", "V00001", "DUNE"};
    for (qsizetype i = 0; i < copies.size(); i += 2)
        addItem(copies[i], copies[i + 1], "V");
    addItem("S00001", "POPCORN", "S", "4");
    addMember("000123");
}

std::unique_ptr<Visit> ShopFixture::open(const QString& key, Outcome* outcome) {
    auto visit = std::make_unique<Visit>(db(), clock, OpCodeRec::defaults(), "13");
    const Outcome started = visit->Start(key);
    if (outcome)
        *outcome = started;
    return visit;
}

bool ShopFixture::visit(const QString& key, const QList<QStringList>& commands) {
    Outcome started;
    auto v = open(key, &started);
    if (!started.ok)
        return false;
    for (const QStringList& c : commands) {
        const Outcome done = v->ExecuteCommand(c.value(0), c.value(1), c.value(2, "01"));
        if (!done.ok) {
            qWarning() << "command refused:" << c << done.notices.value(0).text;
            return false;
        }
    }
    return v->SaveTransaction().ok;
}

qint64 ShopFixture::count(const QString& sql, const QVariantList& values) {
    return t.scalar(sql, values).toLongLong();
}

QString ShopFixture::text(const QString& sql, const QVariantList& values) {
    return t.scalar(sql, values).toString();
}

QString ShopFixture::rows(const QString& table, const QString& columns) {
    QStringList values;
    for (const QString& column : columns.split(QLatin1Char(' ')))
        values << QStringLiteral("ifnull(%1, '-')").arg(column);
    return text(QStringLiteral("SELECT ifnull(group_concat(r, '; '), '') FROM (SELECT %1 AS r "
                               "FROM %2 ORDER BY r)")
                    .arg(values.join(QStringLiteral(" || ' ' || ")), table));
}
