#pragma once

#include "summaries.h"

#include <QDate>
#include <QString>

class Connection;
struct InquiryPlan;

// The figures of a period, summed in the shop's fixed order. A sum that fails is reported by
// the connection and leaves its figures at 0; the others still run.
DailySummary SumPeriod(Connection& db, const QDate& from, const QDate& to, const QString& month);

// The period's figures stored as the one summary row, in a transaction of their own. False
// when the row could not be stored.
bool QryDailyRpt(Connection& db, const QDate& from, const QDate& to, const QString& month);

// What must happen before the plan's report runs: the summary, or the rebuild of a ranking's
// work table, then making sure everything written is on disk. Empty when the report may run,
// otherwise the message to show instead.
QString PrepareReport(Connection& db, const InquiryPlan& plan);
