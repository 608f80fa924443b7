#pragma once

#include "adjustments.h"

#include <QString>

#include <optional>

class Clock;
class Connection;
class MessageService;

// The adjustment the form works on, and whether saving inserts it or rewrites it.
struct AdjustDraft {
    AcctAdjustRec rec;
    bool isNew = true;
};

// What an adjustment key opens: an empty key a new adjustment, numbered at once from the
// "AdjustID" counter; a number the stored adjustment. Anything else is refused after its
// message (a number that cannot be handed out has had its own).
std::optional<AdjustDraft> LoadAdjustment(Connection& db, MessageService& messages,
                                          const Clock& clock, const QString& employeeID,
                                          const QString& key);

// Inserts a new adjustment or rewrites a stored one, and tells the clerk how it went.
bool SaveAdjustment(Connection& db, MessageService& messages, const Clock& clock,
                    AdjustDraft& draft);

// Asks before deleting; true when the clerk agreed and the adjustment is gone. A number never
// saved deletes nothing and still succeeds.
bool ConfirmDeleteAdjustment(Connection& db, MessageService& messages, const AcctAdjustRec& rec);
