#include "reports.h"

#include "ReportLayout.h"
#include "ReportPainter.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>

namespace {

using ReportRun = std::function<std::optional<Report>(Connection&, const ReportRequest&)>;

const QList<std::pair<QString, ReportRun>>& runs() {
    static const QList<std::pair<QString, ReportRun>> all = {
        {QStringLiteral("DailyTxRpt"),
         [](Connection& db, const ReportRequest&) { return DailyTxRpt(db); }},
        {QStringLiteral("rptAllItems"),
         [](Connection& db, const ReportRequest& r) { return rptAllItems(db, r.times); }},
        {QStringLiteral("rptAllCustomers"),
         [](Connection& db, const ReportRequest& r) { return rptAllCustomers(db, r.times); }},
        {QStringLiteral("rptAcctAdjust"),
         [](Connection& db, const ReportRequest& r) { return rptAcctAdjust(db, r.from, r.to); }},
        {QStringLiteral("rptSales"),
         [](Connection& db, const ReportRequest& r) { return rptSales(db, r.from, r.to); }},
        {QStringLiteral("rptRent"),
         [](Connection& db, const ReportRequest& r) { return rptRent(db, r.from, r.to); }},
        {QStringLiteral("rptRentByTxn"),
         [](Connection& db, const ReportRequest& r) { return rptRentByTxn(db, r.from, r.to); }},
        {QStringLiteral("rptOSItem"),
         [](Connection& db, const ReportRequest& r) { return rptOSItem(db, r.due); }}};
    return all;
}

} // namespace

QStringList ReportNames() {
    QStringList names;
    for (const auto& [name, run] : runs())
        names.append(name);
    return names;
}

std::optional<Report> runReport(Connection& db, const QString& name, const ReportRequest& request) {
    for (const auto& [known, run] : runs()) {
        if (known == name)
            return run(db, request);
    }
    return std::nullopt;
}

namespace {

// The query and its layout; the rows are let go once the pages hold what they show.
std::optional<PageModel> queryAndLayOut(Connection& db, const QString& name,
                                        const ReportRequest& request, const PrintInfo& info,
                                        PdfRun& run, QString& title) {
    QElapsedTimer step;
    step.start();
    const std::optional<Report> report = runReport(db, name, request);
    if (!report)
        return std::nullopt;
    run.queryMs = step.restart();
    run.rows = report->data.rows.size();
    title = report->definition.title;
    PageModel model = layoutReport(*report, info, defaultPageLayout(report->definition));
    run.layoutMs = step.elapsed();
    run.pages = model.pages.size();
    return model;
}

} // namespace

PdfRun runReportToPdf(Connection& db, const QString& name, const ReportRequest& request,
                      const PrintInfo& info) {
    PdfRun run;
    QTemporaryDir dir;
    if (!dir.isValid())
        return run;
    QElapsedTimer total;
    total.start();
    QString title;
    const std::optional<PageModel> model = queryAndLayOut(db, name, request, info, run, title);
    if (!model)
        return run;
    QElapsedTimer paint;
    paint.start();
    run.ok = writePdf(*model, dir.filePath(name + QStringLiteral(".pdf")), title);
    run.paintMs = paint.elapsed();
    run.totalMs = total.elapsed();
    return run;
}
