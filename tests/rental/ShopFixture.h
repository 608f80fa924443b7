#pragma once

#include "FormHarness.h"
#include "StockedShop.h"
#include "Visit.h"

#include <memory>

// A small shop on a fresh database with no categories yet, and visits on a clock the test
// sets; clerk 13 is at the counter.
struct ShopFixture : TestContext {
    ShopFixture() {
        ctx.OpCodes = OpCodeRec::defaults();
        ctx.CurrentEmployeeID = "13";
        m_ok = t.ok() && t.exec("DELETE FROM Category");
    }

    bool ok() const { return m_ok; }
    void addCategory(const QString& id, const QString& rate, qint64 days, const QString& overdue,
                     const QString& unitPrice = "0", qint64 bundle = 0,
                     const QString& bundlePrice = "0") {
        m_ok = m_ok &&
               t.exec("INSERT INTO Category (CategoryID, Description, RentUnitRate, "
                      "RentUnitDays, OverDueRate, UnitPrice, PromoteQty, PromotePrice) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                      {id, id, shoprows::money(rate.toLatin1()), days,
                       shoprows::money(overdue.toLatin1()), shoprows::money(unitPrice.toLatin1()),
                       bundle, shoprows::money(bundlePrice.toLatin1())});
    }
    // Each copy is a title of its own.
    void addItem(const QString& itemID, const QString& title, const QString& categoryID,
                 const QString& status = "0") {
        m_ok = m_ok && shoprows::product(t, "P" + itemID, title, categoryID) &&
               shoprows::item(t, itemID, "P" + itemID, status);
    }
    void addMember(const QString& customerID, const QString& active = "Y",
                   const QDate& birth = QDate(1970, 1, 1), const QString& resident = "Y") {
        CustomerRec c = stockedshop::member(customerID);
        c.EnglishName = "MEMBER " + customerID;
        c.Active = active;
        c.BirthDate = birth;
        c.HKResident = resident;
        m_ok = m_ok && InsertCustomer(t.db(), c);
    }
    // Category V (15.00 for 3 days, 5.00 a day late) with copies 000001 ALIEN, 000002 BRAZIL,
    // 000003 CASABLANCA and V00001 DUNE; category S (10.00 each, 3 for 25.00) with the rate
    // code S00001 POPCORN; member 000123. One transaction: each commit waits for the disk.
    void addCounterShop() {
        m_ok = shoprows::inOne(t, [this] {
            addCategory("V", "15", 3, "5");
            addCategory("S", "0", 0, "0", "10", 3, "25");
            for (const char* copy :
                 {"000001 ALIEN", "000002 BRAZIL", "000003 CASABLANCA", "V00001 DUNE"})
                addItem(QString(copy).left(6), QString(copy).mid(7), "V");
            addItem("S00001", "POPCORN", "S", "4");
            addMember("000123");
            return m_ok;
        });
    }

    // A visit opened at the current clock time; ok() of the outcome tells whether it opened.
    std::unique_ptr<Visit> open(const QString& key, Outcome* outcome = nullptr) {
        auto visit = std::make_unique<Visit>(t.db(), clock, ctx.OpCodes, ctx.CurrentEmployeeID);
        const Outcome started = visit->Start(key);
        if (outcome)
            *outcome = started;
        return visit;
    }
    // Runs "A 000003 02, S S00001 07" on a visit: code, item and quantity (01 unless given)
    // of each command; false when any was refused.
    static bool run(Visit& visit, const QString& script) {
        bool done = true;
        for (const QString& command : script.split(", ", Qt::SkipEmptyParts)) {
            const QStringList c = command.split(QLatin1Char(' '));
            done = done && visit.ExecuteCommand(c[0], c[1], c.value(2, "01")).ok;
        }
        return done;
    }
    // The same with each command as code, item and quantity.
    // Opens, runs the script and saves; false when any step failed.
    bool visit(const QString& key, const QString& script) {
        Outcome started;
        auto v = open(key, &started);
        return started.ok && run(*v, script) && v->SaveTransaction().ok;
    }

    // Every row of `table` as its `columns` (names joined by spaces), rows in order, "; " apart.
    QString rows(const QString& table, const QString& columns) {
        QStringList values;
        for (const QString& column : columns.split(QLatin1Char(' ')))
            values << QStringLiteral("coalesce(CAST(%1 AS TEXT), '-')").arg(column);
        return t.joined(QStringLiteral("SELECT %1 AS r FROM %2 ORDER BY r")
                            .arg(values.join(QStringLiteral(" || ' ' || ")), table),
                        QStringLiteral("; "));
    }

private:
    bool m_ok = false;
};
