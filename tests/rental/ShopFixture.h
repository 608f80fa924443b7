#pragma once

#include "FormHarness.h"
#include "StockedShop.h"
#include "Visit.h"

#include <memory>

// A small counter shop on a fresh database, with visits on a clock the test sets: category V
// (15.00 for 3 days, 5.00 a day late) with copies 000001 ALIEN, 000002 BRAZIL, 000003
// CASABLANCA and V00001 DUNE; category S (10.00 each, 3 for 25.00) with the rate code S00001
// POPCORN; member 000123. Clerk 13 is at the counter.
struct ShopFixture : TestContext {
    ShopFixture() {
        ctx.OpCodes = OpCodeRec::defaults();
        ctx.CurrentEmployeeID = "13";
        // One transaction: each commit waits for the disk.
        ok = t.ok() && shoprows::inOne(t, [this] {
                 ok = t.exec("UPDATE Category SET OverDueRate = 50000") &&
                      t.insertRow("Category", "||S|S|0|0|0|100000|3|250000");
                 for (const char* row : {"000001 ALIEN", "000002 BRAZIL", "000003 CASABLANCA",
                                         "V00001 DUNE", "S00001 POPCORN 4 S"})
                     addItem(row);
                 addMember("000123");
                 return ok;
             });
    }

    // A copy, a title of its own: "ID TITLE", then its status (0) and category (V) if others.
    void addItem(const QString& row) {
        const QStringList v = row.split(' ');
        ok = ok && shoprows::product(t, "P" + v[0], v[1], v.value(3, "V")) &&
             shoprows::item(t, v[0], "P" + v[0], v.value(2, "0"));
    }
    void addMember(const QString& customerID, const QString& active = "Y",
                   const QDate& birth = QDate(1970, 1, 1), const QString& resident = "Y") {
        CustomerRec c = stockedshop::member(customerID);
        c.Active = active;
        c.BirthDate = birth;
        c.HKResident = resident;
        ok = ok && InsertCustomer(t.db(), c);
    }

    // A visit opened at the current clock time; ok() of the outcome tells whether it opened.
    std::unique_ptr<Visit> open(const QString& key, Outcome* outcome = nullptr) {
        auto visit = std::make_unique<Visit>(t.db(), clock, ctx.OpCodes, ctx.CurrentEmployeeID);
        const Outcome started = visit->Start(key);
        if (outcome)
            *outcome = started;
        return visit;
    }
    // Opens, runs each command (code, item, quantity) and saves; false when any step failed.
    bool visit(const QString& key, const QList<QStringList>& commands) {
        Outcome started;
        auto v = open(key, &started);
        bool done = started.ok;
        for (const QStringList& c : commands)
            done = done && v->ExecuteCommand(c.value(0), c.value(1), c.value(2, "01")).ok;
        return done && v->SaveTransaction().ok;
    }

    // Every row of `table` as its `columns` (names joined by spaces), rows in order, "; " apart.
    QString rows(const QString& table, const QString& columns) {
        QStringList values;
        for (const QString& column : columns.split(QLatin1Char(' ')))
            values << QStringLiteral("ifnull(%1, '-')").arg(column);
        return t
            .scalar(QStringLiteral("SELECT ifnull(group_concat(r, '; '), '') FROM (SELECT %1 "
                                   "AS r FROM %2 ORDER BY r)")
                        .arg(values.join(QStringLiteral(" || ' ' || ")), table))
            .toString();
    }

    bool ok = false;
};

// Runs one command line on a visit; true when it went through.
inline bool runCommand(Visit& visit, const QString& code, const QString& itemID,
                       const QString& quantity = {}) {
    return visit.ExecuteCommand(code, itemID, quantity).ok;
}
