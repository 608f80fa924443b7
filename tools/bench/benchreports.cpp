#include "benchreports.h"

#include "ReportLayout.h"
#include "ReportPainter.h"
#include "benchshop.h"
#include "inquiryrun.h"
#include "reports.h"
#include "shopinfo.h"

#include <QPainter>
#include <QPicture>

#include <optional>

namespace {

// The inquiry screen's month summary until its preview shows, and any report of a month's
// data until its pages are known.
constexpr double SummaryPreviewMs = 1000;
constexpr double LayOutMs = 2000;
constexpr double OverdueMs = 20;
// Writing a PDF file and printing every copy or member are long jobs behind the hourglass;
// the rankings are held to a memory limit rather than to a wait.
constexpr double PdfMs = 5000;
constexpr double RankingMs = 30000;
constexpr double RankingLimitMB = 100;

constexpr int ReportRuns = 10;
constexpr int RankingRuns = 5;

// The report's query and its pages, as the preview and the printer receive them.
std::optional<PageModel> layOut(Connection& db, const QString& name, const ReportRequest& request,
                                const PrintInfo& info) {
    const std::optional<Report> report = runReport(db, name, request);
    if (!report)
        return std::nullopt;
    return layoutReport(*report, info, defaultPageLayout(report->definition));
}

// Every page drawn into a recorded picture, the way the print preview takes them.
bool preview(const PageModel& model) {
    for (const ReportPage& page : model.pages) {
        QPicture picture;
        QPainter painter(&picture);
        paintPage(painter, page, picture.logicalDpiX() / 72.0);
        if (!painter.end())
            return false;
    }
    return !model.pages.isEmpty();
}

BenchCase summaryPreview(BenchShop& shop, const PrintInfo& info) {
    Connection& db = shop.db();
    const QDate first = shop.monthFirst();
    const QDate last = shop.monthLast();
    return {QStringLiteral("month summary and its preview"), SummaryPreviewMs,
            [&db, first, last, info] {
                if (!QryDailyRpt(db, first, last, first.toString(QStringLiteral("MM/yyyy"))))
                    return false;
                const auto pages = layOut(db, QStringLiteral("DailyTxRpt"), {}, info);
                return pages && preview(*pages);
            },
            ReportRuns};
}

BenchCase layOutCase(BenchShop& shop, const QString& label, const QString& report,
                     const ReportRequest& request, const PrintInfo& info) {
    Connection& db = shop.db();
    return {label, LayOutMs,
            [&db, report, request, info] {
                const auto pages = layOut(db, report, request, info);
                return pages && !pages->pages.isEmpty();
            },
            ReportRuns};
}

BenchCase pdfCase(BenchShop& shop, const QString& label, const QString& report,
                  const ReportRequest& request, const PrintInfo& info) {
    Connection& db = shop.db();
    return {label, PdfMs,
            [&db, report, request, info] { return runReportToPdf(db, report, request, info).ok; },
            ReportRuns};
}

// The date reports over the month and the copies overdue on the last day of trade, laid out;
// the largest of them also written as a PDF file.
QList<BenchCase> monthReports(BenchShop& shop, const PrintInfo& info) {
    ReportRequest month;
    month.from = shop.monthFirst();
    month.to = shop.monthLast();
    month.due = shop.day;
    QList<BenchCase> cases;
    for (const char* name : {"rptAcctAdjust", "rptSales", "rptRent", "rptRentByTxn"}) {
        const QString report = QString::fromLatin1(name);
        cases.append(
            layOutCase(shop, report + QStringLiteral(", a month, laid out"), report, month, info));
    }
    // The copies still out are a handful however long the shop's history.
    BenchCase overdue = layOutCase(shop, QStringLiteral("rptOSItem, last day, laid out"),
                                   QStringLiteral("rptOSItem"), month, info);
    overdue.targetMs = OverdueMs;
    overdue.compareRaw = true;
    cases.append(overdue);
    cases.append(pdfCase(shop, QStringLiteral("rptRent, a month, to PDF"),
                         QStringLiteral("rptRent"), month, info));
    return cases;
}

// Both rankings with no rental-times limit, every copy and every member, written as PDF files.
QList<BenchCase> rankings(BenchShop& shop, const PrintInfo& info) {
    ReportRequest everything;
    everything.times = TimesRange{-1, -1};
    QList<BenchCase> cases;
    for (const char* name : {"rptAllItems", "rptAllCustomers"}) {
        const QString report = QString::fromLatin1(name);
        BenchCase c = pdfCase(shop, report + QStringLiteral(", whole shop, to PDF"), report,
                              everything, info);
        c.targetMs = RankingMs;
        c.runs = RankingRuns;
        c.limitMB = RankingLimitMB;
        cases.append(c);
    }
    return cases;
}

} // namespace

QList<BenchCase> reportCases(BenchShop& shop) {
    const PrintInfo info{GetShopName(shop.db()), QDateTime::currentDateTime()};
    return QList<BenchCase>{summaryPreview(shop, info)} + monthReports(shop, info) +
           rankings(shop, info);
}
