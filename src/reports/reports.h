#pragma once

#include "ReportDefinition.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class Connection;

// The eight reports of the shop. Each runs its query with bound values on the connection and
// returns the definition with its rows, or nothing after a database error (already reported
// through the connection).

// A rental-times range: only when both ends are 0 or more does it limit the list and show as
// "Rental Times: 1 To 5".
struct TimesRange {
    qint64 from = 1;
    qint64 to = 1;
    bool applies() const { return from >= 0 && to >= 0; }
};

// The summary row of RptDailyTx as the last summary run wrote it, as labelled blocks.
std::optional<Report> DailyTxRpt(Connection& db);
// Copies ranked by rentals; reads Item_Temp as it stands (the caller rebuilds it).
std::optional<Report> rptAllItems(Connection& db, const TimesRange& times);
// Members ranked by rentals; reads Cust_Temp as it stands (the caller rebuilds it).
std::optional<Report> rptAllCustomers(Connection& db, const TimesRange& times);
// Date reports: both days included.
std::optional<Report> rptAcctAdjust(Connection& db, const QDate& from, const QDate& to);
std::optional<Report> rptSales(Connection& db, const QDate& from, const QDate& to);
std::optional<Report> rptRent(Connection& db, const QDate& from, const QDate& to);
std::optional<Report> rptRentByTxn(Connection& db, const QDate& from, const QDate& to);
// Lines still out that were due before `due` (a line due on `due` itself is not overdue yet).
std::optional<Report> rptOSItem(Connection& db, const QDate& due);

// Everything a report may ask for; each report reads only its own part.
struct ReportRequest {
    QDate from;
    QDate to;
    QDate due;
    TimesRange times;
};

// "DailyTxRpt", "rptAllItems", "rptAllCustomers", "rptAcctAdjust", "rptSales", "rptRent",
// "rptRentByTxn", "rptOSItem".
QStringList ReportNames();
// Runs the named report; nothing for an unknown name or a database error.
std::optional<Report> runReport(Connection& db, const QString& name, const ReportRequest& request);

// One timed run from query to PDF file (in a temporary folder, removed afterwards), for
// measuring. Needs a QGuiApplication.
struct PdfRun {
    bool ok = false;
    int pages = 0;
    qint64 rows = 0;
    qint64 queryMs = 0;
    qint64 layoutMs = 0;
    qint64 paintMs = 0;
    qint64 totalMs = 0;
};
PdfRun runReportToPdf(Connection& db, const QString& name, const ReportRequest& request,
                      const PrintInfo& info);
