#pragma once

#include "Outcome.h"
#include "claims.h"
#include "customers.h"
#include "orders.h"
#include "serials.h"

#include <QList>
#include <QString>

#include <functional>

class Clock;
class Connection;

// An item handed back in this visit, as the returned list shows it.
struct ReturnEntry {
    QString ItemID;
    QString Title;
    bool IsDeleted = false;
};

// The counts and amounts shown under the lists.
struct VisitTotals {
    qint64 ExistRent = 0;
    qint64 NewRent = 0;
    qint64 Renew = 0;
    qint64 Return = 0;
    qint64 Sales = 0;
    Money NewAmt;
    Money RenewAmt;
    Money ReturnAmt;
    Money LateAmt;
    Money SettleAllOSAmt;
    Money SalesAmt;
    Money total() const {
        return NewAmt + RenewAmt + ReturnAmt + LateAmt + SettleAllOSAmt + SalesAmt;
    }
};

// One member's visit at the counter: the member, the open order and its lines, what each
// command line does to them, and the save that writes it all in one transaction. Nothing
// reaches the database before SaveTransaction.
class Visit {
public:
    // The item ID that settles everything outstanding, whatever the code.
    static inline const QString SettleAllID = QStringLiteral("S88");

    Visit(Connection& db, const Clock& clock, const OpCodeRec& codes, const QString& employeeID);

    // Opens the visit by member number (all digits) or by the ID of an item the member has
    // out. ok is false when the visit cannot be opened.
    Outcome Start(const QString& key);

    const CustomerRec& customer() const { return m_state.customer; }
    const OrderRec& order() const { return m_state.order; }
    const QList<OrderLine>& OrderLines() const { return m_state.lines; }
    const QList<ReturnEntry>& ReturnLines() const { return m_state.returns; }
    bool NewOrder() const { return m_state.newOrder; }
    qint64 ExistRentCount() const { return m_state.existRentCount; }
    const OpCodeRec& codes() const { return m_codes; }
    // The under-18 and non-resident warnings, joined; empty when neither applies.
    QString warning() const { return m_warning; }
    // The code the command field starts with: rent for a new order, else return.
    QString defaultCode() const;

    // Runs one command line. A refused command changes nothing and carries one notice.
    Outcome ExecuteCommand(const QString& code, const QString& itemID, const QString& quantity);

    VisitTotals UpdateTotals() const;

    // Writes the visit in one transaction. On failure everything is rolled back, the visit is
    // exactly as it was before, and the outcome says "Save record error!\rRecord NOT save".
    Outcome SaveTransaction();

private:
    struct State {
        CustomerRec customer;
        OrderRec order;
        QList<OrderLine> lines;
        QList<ReturnEntry> returns;
        bool newOrder = true;
        qint64 existRentCount = 0;
    };

    Outcome startByCustomer(const QString& customerID);
    Outcome startByItem(const QString& itemID);
    bool readCustomer(const QString& customerID);
    void showCustomer();
    bool loadOrder(const QString& orderID, Outcome& outcome);

    Outcome addRental(const QString& itemID, qint64 quantity, bool free);
    Outcome addSale(const QString& itemID, qint64 quantity);
    Outcome returnItem(const QString& itemID);
    Outcome deleteItem(const QString& itemID);
    Outcome renew(const QString& itemID, qint64 quantity, bool cash);
    Outcome DoSettleAllOS();
    qsizetype findLine(const QString& itemID,
                       const std::function<bool(const OrderLine&)>& kind) const;
    bool listed(const QString& itemID) const;

    bool SaveNewOrder(Outcome& outcome);
    bool SaveExistingOrder(Outcome& outcome);
    bool SaveOrderLines(Outcome& outcome);
    bool saveNewRental(OrderLine& line, Outcome& outcome);
    bool saveChangedLine(OrderLine& line, const QDateTime& read, bool pay, bool itemBack);
    bool saveSale(const OrderLine& line);
    // A write the save relies on: true when written; when the row changed at another counter,
    // false with `conflict` (its item or member in place of %1) kept for the clerk.
    bool claimed(Claim claim, const QString& conflict, const QString& what);

    Connection& m_db;
    const Clock& m_clock;
    OpCodeRec m_codes;
    QString m_employeeID;
    State m_state;
    QString m_warning;
    QDateTime m_saveTime;
    QString m_conflict;
};
