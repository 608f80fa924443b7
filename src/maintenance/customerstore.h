#pragma once

#include "claims.h"

#include <QString>

class Clock;
class Connection;
struct CustomerEntry;
struct CustomerRec;

// How the member form holds its member.
struct CustomerMode {
    // Not on file yet: saving inserts.
    bool IsNew = true;
    // The member number may still change: nothing on file refers to it yet.
    bool IdEditable = true;
};

// Reads member `customerID` into rec with its statistics brought up to date. An unknown number
// gives a new member with the shop's defaults instead.
CustomerMode LoadCustomer(Connection& db, const Clock& clock, const QString& customerID,
                          CustomerRec& rec);

// True when orders or sales carry the member's number: renaming or deleting the member would
// leave them without an owner. Also true when the question cannot be answered.
bool HasTransactionRecords(Connection& db, const CustomerRec& rec);

// Takes the entry into rec and writes it in one transaction: a new member is inserted with
// both timestamps set now; a stored one is rewritten without its statistics, with its number
// only while that may change, and only while it is as it was loaded. Changed or Failed, with
// nothing written, when another counter stored the member meanwhile or the database refuses.
Claim SaveCustomer(Connection& db, const Clock& clock, const CustomerMode& mode,
                   const CustomerEntry& entry, CustomerRec& rec);
