#pragma once

#include <QDateTime>
#include <QString>

class Connection;

// The command codes the clerk types on the visit screen, as stored in table OpCode.
struct OpCodeRec {
    QDateTime ModDate;
    QString ID = QStringLiteral("1");
    QString AddItem;
    QString FreeItem;
    QString DeleteItem;
    QString EditItem;
    QString ReturnItem;
    QString RenewItemCash;
    QString RenewItemArrears;
    QString BadItem;
    QString SalesItem;

    // The codes used when the database holds none.
    static OpCodeRec defaults();
};

// Hands out the next number of a SerialNo counter ("OrderID", "OrderIdx", "ProductID",
// "AdjustID") as six digits and advances the counter, inside any open transaction.
// Empty text, after a message, when the counter cannot give a number.
QString GetSerialNo(Connection& db, const QString& name);

// Reads the row of table OpCode whose ID is rec.ID. False, and rec untouched, when missing.
bool GetOpCodes(Connection& db, OpCodeRec& rec);
