#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One visit served by a counter process of the load test, as its log tells it. A counter
// writes a line when it first tries to save a visit, one for each failed attempt, and one
// when the visit ends (saved or refused); a counter killed in between leaves the visit open.
struct CounterVisit {
    enum class End { Open, Saved, Refused };

    QString counter;
    qint64 number = 0;
    QString member;
    // The most rows the save can add: what a visit of unknown outcome may have left.
    qint64 plannedLines = 0;
    qint64 plannedPayments = 0;
    qint64 plannedSales = 0;
    // Attempts that failed (the connection or the server went away) before the last one.
    int failures = 0;
    End end = End::Open;
    double saveMs = 0;
    // A refused save: the message with the item or member it names left out.
    QString refusal;
    // A stored save: its new order (empty when it added to one or opened none), its new lines
    // as "OrderIdx ItemID", the lines it returned, its renewals as "OrderIdx RenewIndex", the
    // charges it settled ("S ...") and paid ("P ..."), and how many charge and sale rows it
    // added.
    QString orderID;
    QStringList newLines;
    QStringList returned;
    QStringList renewed;
    QStringList collected;
    qint64 payments = 0;
    qint64 sales = 0;

    // Stored, or maybe stored: the save went out and its answer never came back.
    bool uncertain() const { return end == End::Open || (end == End::Refused && failures > 0); }
};

// The log lines of a visit, one per event, each ending in a newline.
QString triedLine(const CounterVisit& visit);
QString failedLine(const CounterVisit& visit);
QString endLine(const CounterVisit& visit);

// A counter's log: every visit in the order they were tried, and what the connection reported
// on the way (lines "note", such as the server going away). A last line cut short by a kill
// is left out.
struct CounterLog {
    QList<CounterVisit> visits;
    QStringList notes;
};
CounterLog readCounterLog(const QString& path, const QString& counter);
