#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

class Connection;
struct OrderLine;

// The writes a visit's save relies on, each made only while the row is still as the visit
// read it. With several counters on one shop, what a clerk saw when typing a command may have
// changed at another counter by the time the visit is saved.
enum class Claim { Written, Changed, Failed };

// Holds the member's row for the rest of the transaction (another counter saving for the same
// member waits until it ends) and checks that they still have `openLines` copies out on their
// open order: none for a visit that opens a new one.
Claim ClaimMember(Connection& db, const QString& customerID, qint64 openLines);

// Moves a copy from status `from` to `to`, only while it still has `from`.
Claim MoveItem(Connection& db, const QString& itemID, const QDateTime& at, const QString& from,
               const QString& to);

// A write that should have changed `expected` rows: fewer means another counter got there first.
Claim Counted(std::optional<qint64> rows, qint64 expected);

// Stores a returned, renewed or settled line only while it is still out and has not been
// stored since the visit read it (its ModDate then was `readModDate`, and it had the charges
// the visit loaded).
Claim StoreLine(Connection& db, const OrderLine& line, const QDateTime& readModDate);

// The master-data rows a form edits, each keyed as its update statement keys it.
enum class Record { Customer, Product, Item, Category };

// Holds a row for the rest of the transaction, only while it has not been stored since the
// form loaded it (its ModDate then was `readModDate`): two clerks editing one row must not
// silently overwrite each other.
Claim ClaimRecord(Connection& db, Record kind, const QVariant& key, const QDateTime& readModDate);

// What the clerk is told when the row `shownKey` was stored at another counter meanwhile.
QString RecordChangedText(Record kind, const QString& shownKey);
