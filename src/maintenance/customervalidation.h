#pragma once

#include <QString>

class Connection;
struct CustomerEntry;

// A member number is digits only; letters would make it an item ID at the counter.
bool IsMemberNumber(const QString& text);

// The checks that need nothing but the boxes, in the order the clerk is told about them.
// Returns the first failure's message, or an empty text when all pass.
QString CheckCustomerFields(const CustomerEntry& entry);

// Every check Save makes: the boxes, then that no other member has the number. `rawId` is the
// row of the member being edited, 0 for a new one. Returns the first failure's message, or an
// empty text when the entry may be saved.
QString ValidateCustomer(Connection& db, const CustomerEntry& entry, qint64 rawId);
