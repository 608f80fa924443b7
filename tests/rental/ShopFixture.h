#pragma once

#include "TestClock.h"
#include "TestDb.h"
#include "Visit.h"

#include <memory>

// A small shop on a fresh database: categories, items and members made through the store's
// own insert operations, and visits on a clock the test sets.
class ShopFixture {
public:
    ShopFixture();

    bool ok() const { return m_ok; }
    Connection& db() { return t.db(); }

    void addCategory(const QString& id, const QString& rate, qint64 days, const QString& overdue,
                     const QString& unitPrice = QStringLiteral("0"), qint64 bundle = 0,
                     const QString& bundlePrice = QStringLiteral("0"));
    void addItem(const QString& itemID, const QString& title, const QString& categoryID,
                 const QString& status = QStringLiteral("0"));
    void addMember(const QString& customerID, const QString& active = QStringLiteral("Y"),
                   const QDate& birth = QDate(1970, 1, 1),
                   const QString& resident = QStringLiteral("Y"));
    // Category V (15.00 for 3 days, 5.00 a day late) with copies 000001 ALIEN, 000002 BRAZIL,
    // 000003 CASABLANCA and V00001 DUNE; category S (10.00 each, 3 for 25.00) with the rate
    // code S00001 POPCORN; member 000123.
    void addCounterShop();

    // A visit opened at the current clock time; ok() of the outcome tells whether it opened.
    std::unique_ptr<Visit> open(const QString& key, Outcome* outcome = nullptr);
    // Opens, runs each command (code, item, quantity) and saves; false when any step failed.
    bool visit(const QString& key, const QList<QStringList>& commands);

    qint64 count(const QString& sql, const QVariantList& values = {});
    QString text(const QString& sql, const QVariantList& values = {});
    // Every row of `table` as its `columns` (names joined by spaces), rows in order, "; " apart.
    QString rows(const QString& table, const QString& columns);

    TestDb t;
    TestClock clock;

private:
    qint64 m_product = 0;
    bool m_ok = false;
};

// Runs one command line on a visit; true when it went through.
inline bool runCommand(Visit& visit, const QString& code, const QString& itemID,
                       const QString& quantity = {}) {
    return visit.ExecuteCommand(code, itemID, quantity).ok;
}
