#pragma once

#include "orders.h"

#include <QDateTime>

// The charge rows a visit adds to a line when it is saved, and the preparation of each kind
// of changed line. Rows are paid today when the line is paid now, otherwise owed.

// Appends a late charge row for the line's LateAmt, if there is one.
void AddLateChargeRow(OrderLine& line, const QDateTime& now);
// Appends the renewal charge row for the line's current period.
void AddRenewalRow(OrderLine& line, const QDateTime& now);

// A returned line: closed today, with its late charge paid.
void PrepareReturnedLine(OrderLine& line, const QDateTime& now);
// A renewed line: the late charge of the period that ended, then the new period's charge.
void PrepareRenewedLine(OrderLine& line, const QDateTime& now);
// A settled line: its late charge paid.
void PrepareSettledLine(OrderLine& line, const QDateTime& now);
