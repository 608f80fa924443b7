#pragma once

#include "serials.h"

#include <QString>

#include <optional>

class Clock;

// What Enter does in the item field: run the command as it stands, or ask for the code.
enum class ItemEnter { Run, MoveToCode };
// What Enter does in the code field: ask for the quantity, rent one unit, or run as it stands.
enum class CodeEnter { MoveToQuantity, RunOneUnit, Run };

// The keying rules of the visit's command line, apart from any window. A barcode scanner
// types a six-character item ID and Enter within a second, and the command runs at once
// with the code already there; a clerk types slower, and the ID is normalised and the code
// asked for.
class CommandLine {
public:
    static constexpr qint64 ScanWindowMs = 1000;
    static constexpr qsizetype ScanLength = 6;

    CommandLine(const Clock& clock, const OpCodeRec& codes);

    // A key went down in the item field while it held `length` characters. The moment it
    // held exactly one is when the scan began.
    void itemKeyDown(qsizetype length);
    ItemEnter itemEnter(const QString& itemID) const;
    // The code offered for a typed item ID: the sale code for an ID starting with S, rent
    // on a new order, otherwise the code as it stands.
    QString presetCode(const QString& itemID, bool newOrder, const QString& current) const;
    CodeEnter codeEnter(const QString& code) const;

private:
    bool scanned(const QString& itemID) const;

    const Clock& m_clock;
    OpCodeRec m_codes;
    std::optional<qint64> m_firstKeyMs;
};
