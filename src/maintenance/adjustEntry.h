#pragma once

#include "adjustments.h"

#include <QDate>
#include <QString>

class Connection;

// The adjustment form's boxes as the clerk typed them.
struct AdjustEntry {
    QString AdjustID;
    QString Description;
    QString AdjustAmt;
    // As the masked date box reads: "dd/mm/yyyy", or "  /  /    " when untouched.
    QString AdjustDate;
    QString OrderID;
    QString ReceiptNum;
};

// What the boxes show for an adjustment. A new one starts with an empty amount box.
AdjustEntry EntryFromRecord(const AcctAdjustRec& rec, bool isNew);

// Copies the boxes into the record, trimmed, with the clerk who saves it.
void ApplyEntry(const AdjustEntry& entry, const QString& employeeID, AcctAdjustRec& rec);

// The first thing that stops the entry from being saved, as the message the clerk sees; empty
// when it may be saved. A new adjustment must not reuse a stored number.
QString AdjustmentProblem(Connection& db, const AdjustEntry& entry, bool isNew, const QDate& today);
