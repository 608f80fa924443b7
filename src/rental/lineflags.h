#pragma once

struct OrderLine;

// How a line of the rental list is coloured, decided by what happened to it in this visit.
enum class LineColour { Unchanged, Returned, Renewed, Settled, Overdue };

LineColour RowColour(const OrderLine& line);

// The line finders of the command line.
// A line loaded from file and not touched in this visit.
bool IsOpenLine(const OrderLine& line);
// An open line that has not been settled either.
bool IsRenewableLine(const OrderLine& line);
bool IsReturnedLine(const OrderLine& line);
// A rental or sale entered in this visit.
bool IsLineOfThisVisit(const OrderLine& line);
