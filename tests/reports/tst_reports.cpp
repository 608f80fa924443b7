#include "Cases.h"
#include "Money.h"
#include "PageReader.h"
#include "ReportCsv.h"
#include "ReportLayout.h"
#include "ReportPainter.h"
#include "ReportShop.h"
#include "ShopFixture.h"
#include "inquiry.h"
#include "inquiryrun.h"
#include "receipt.h"
#include "receiptlayout.h"
#include "reportformat.h"
#include "reportquery.h"
#include "reports.h"

#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace pagereader;
using reportshop::feb;

Q_DECLARE_METATYPE(InquiryPeriod)
Q_DECLARE_METATYPE(InquiryTab)
Q_DECLARE_METATYPE(AccountingReport)
Q_DECLARE_METATYPE(TimesRange)

namespace {

const PrintInfo Info{QStringLiteral("FLICKA VIDEO 影帶"),
                     QDateTime(QDate(2004, 3, 10), QTime(18, 40))};

// February, the overdue date 10/03/2004 and rental times 2 to 3.
ReportRequest february(TimesRange times = {2, 3}) {
    return ReportRequest{feb(1), feb(29), QDate(2004, 3, 10), times};
}

PageModel layout(const Report& r) {
    return layoutReport(r, Info, defaultPageLayout(r.definition));
}

// The three period boxes written "date|end|month".
PeriodBoxes boxes(const QString& joined) {
    const QStringList b = joined.split(QLatin1Char('|'));
    return {b.value(0), b.value(1), b.value(2)};
}

QString joined(const PeriodBoxes& b) {
    return QStringList{b.date, b.endDate, b.month}.join(QLatin1Char('|'));
}

// A grouped report of made-up charges on 1 February: a code per group, then quantity, amount
// and a note; each row given as "code quantity amount".
Report charges(const QStringList& rows, const QString& note = {}) {
    Report r;
    ReportDefinition& def = r.definition;
    def.title = QStringLiteral("Test Report:");
    def.criteria = QStringLiteral("Txn Date: \n01/02/2004 To 29/02/2004");
    def.columns = {keyColumn("Code", "Code", 10), column("Day", "Day", 12, FieldFormat::Date),
                   column("Qty", "Qty", 8, FieldFormat::Count),
                   column("Amount($)", "Amt", 12, FieldFormat::Amount), column("Note", "Note", 20)};
    const QList<FooterFigure> sums = {sumOf("Qty"), sumOf("Amt")};
    def.group = ReportGroup{{QStringLiteral("Code")},
                            {FooterLine{QStringLiteral("Sub total:"), sums},
                             FooterLine{QStringLiteral("Lines:"), {rowCount()}}}};
    def.footer = {FooterLine{QStringLiteral("Total:"), sums},
                  FooterLine{QStringLiteral("Category Count = "), {groupCount()}}};
    r.data.fields = QStringList{"Code", "Day", "Qty", "Amt", "Note"};
    for (const QString& row : rows) {
        const QStringList v = row.split(QLatin1Char(' '));
        r.data.rows.append({v[0], QDate(2004, 2, 1), v[1].toLongLong(),
                            QVariant::fromValue(*Money::parse(v[2])), note});
    }
    return r;
}

// Three groups long enough to run over several pages.
Report longCharges(const QString& note) {
    QStringList rows;
    for (const char* code : {"A", "B", "C"})
        rows += QStringList(70, QString::fromLatin1(code) + QStringLiteral(" 1 0.10"));
    return charges(rows, note);
}

QPageLayout pageOf(const QPageSize& size) {
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter);
}

QString describe(const ReceiptLine& l) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(SectionTitle(l.section), l.itemID, l.title, QString::number(l.quantity),
             l.due.toString(QStringLiteral("dd/MM/yyyy")), l.charge.format(), l.late.format(),
             l.note, l.paidNow ? QStringLiteral("paid") : QStringLiteral("owed"));
}

// Every text inside the page, none over another.
bool within(const PageModel& model) {
    for (const ReportPage& page : model.pages) {
        for (const PageText& text : page.texts) {
            if (text.rect.right() > model.area.width() + 0.01 ||
                text.rect.bottom() > model.area.height() + 0.01 || !overlap(page).isEmpty())
                return false;
        }
    }
    return true;
}

using Tables = Cases<QString, TimesRange, QString, QStringList>;
using Periods = Cases<InquiryPeriod, QString, QString>;
using Plans = Cases<InquiryTab, AccountingReport, QString>;

} // namespace

// The report engine on made-up reports (grouping and sums, pages, long texts, the painted PDF
// and the CSV export), the receipt of one visit on roll paper and on A4, and the shop's reports on
// the small February shop: what each lists and adds up, under which criteria, and the work the
// inquiry does before a report runs; and what the inquiry decides without its window: the period
// options, their validation, and which report a preview runs with which values.
class Test_reports : public QObject {
    Q_OBJECT

    TestDb m_shop;

    std::unique_ptr<ShopFixture> shop;
    std::unique_ptr<Visit> visit;

    Receipt receipt() const {
        return MakeReceipt(*visit, QStringLiteral("FLICKA 影帶"),
                           QDateTime(QDate(2004, 3, 10), QTime(18, 45)));
    }

    std::optional<Report> run(const QString& name, const ReportRequest& request = february()) {
        return runReport(m_shop.db(), name, request);
    }

private Q_SLOTS:
    // The February shop; and for the receipt, member 000123 took out four films on 1 March (due on
    // the 4th, six days late on the 10th) and comes back on the 10th: returns one, renews one for
    // cash and one on arrears, settles the fourth, rents two more (one free) and buys seven bags of
    // popcorn (three for 25.00).
    void initTestCase() {
        QVERIFY(m_shop.ok() && reportshop::arrange(m_shop));
        shop = std::make_unique<ShopFixture>();
        shop->addCounterShop();
        for (const char* copy : {"000004 DUNE", "000005 ERASERHEAD", "000006 FARGO"})
            shop->addItem(QString(copy).left(6), QString(copy).mid(7), "V");
        QVERIFY(shop->ok() && shop->t.exec("UPDATE Customers SET ChineseName = ?", {"陳大文"}));
        shop->clock.set(QDateTime(QDate(2004, 3, 1), QTime(10, 0)));
        QVERIFY(shop->visit("000123", "A 000001, A 000002, A 000003, A 000004"));
        shop->clock.set(QDateTime(QDate(2004, 3, 10), QTime(18, 40)));
        visit = shop->open("000123");
        QVERIFY(ShopFixture::run(*visit, "R 000001 01, RR 000002 01, RR* 000003 01, R S88 01, "
                                         "A 000005 02, F 000006 01, S S00001 07"));
    }
    void cleanup() { QCOMPARE(m_shop.messages.texts().join("\n"), QString()); }

    // Each report's table as printed, and every column wide enough for its heading. The
    // rankings list the rental times asked for and name the range only when both ends are 0 or
    // more.
    void tables_data() {
        const Tables add;
        const auto row = [&add](const char* name, const QString& criteria, const QStringList& table,
                                TimesRange times = {2, 3}) {
            add(qPrintable(QString("%1 %2-%3").arg(name).arg(times.from).arg(times.to)), name,
                times, criteria, table);
        };
        const QString txn = QStringLiteral("Txn Date: \n01/02/2004 To 29/02/2004");
        row("rptSales", txn,
            {"S00001 | POPCORN", "05/02/2004 | 2 | 16.00 | 000001",
             "29/02/2004 | 1 | 8.00 | 000002", "Sub total: | 3 | 24.00", "S00002 | COLA, \"LARGE\"",
             "10/02/2004 | 3 | 30.00 | 000001", "Sub total: | 3 | 30.00", "Total: | 6 | 54.00",
             "Category Count = 2"});
        row("rptRent", txn,
            {"D | DVD", "D00001 | 12/02/2004 | Free Rental | 1 | 20.00 | 0.00",
             "D00001 | 15/02/2004 | Rent | 1 | 20.00 | 20.00",
             "D00001 | 20/02/2004 | Late Charge | 2 | 10.00 | 20.00", "Sub total: | 4 | 40.00",
             "V | VIDEO", "V00001 | 10/02/2004 | Rent | 2 | 15.00 | 30.00",
             "V00002 | 20/02/2004 | Rent | 1 | 15.00 | 15.00",
             "V00002 | 25/02/2004 | Renewal | 1 | 15.00 | 15.00", "Sub total: | 4 | 60.00",
             "Total: | 8 | 100.00", "Category Count = 2"});
        row("rptRentByTxn", txn,
            {"Rent | D | DVD", "D00001 | 15/02/2004 | 1 | 20.00 | 20.00", "Sub total: | 1 | 20.00",
             "Rent | V | VIDEO", "V00001 | 10/02/2004 | 2 | 15.00 | 30.00",
             "V00002 | 20/02/2004 | 1 | 15.00 | 15.00", "Sub total: | 3 | 45.00",
             "Late Charge | D | DVD", "D00001 | 20/02/2004 | 2 | 10.00 | 20.00",
             "Sub total: | 2 | 20.00", "Renewal | V | VIDEO",
             "V00002 | 25/02/2004 | 1 | 15.00 | 15.00", "Sub total: | 1 | 15.00",
             "Free Rental | D | DVD", "D00001 | 12/02/2004 | 1 | 20.00 | 0.00",
             "Sub total: | 1 | 0.00", "Total: | 8 | 100.00", "Category Count = 5"});
        row("rptOSItem", "Due Date: 10/03/2004",
            {"000001 | CHAN TAI MAN | 陳大文 | 91234567 / 23456789",
             "V00001 | V | CASABLANCA | Rented Out | 10/02/2004 - 09/03/2004", "Sub Total: 1",
             "000002 | O'BRIEN \"JACK\" | 61234567",
             "V00002 | V | CASABLANCA | Rented Out | 10/02/2004 - 01/03/2004", "Sub Total: 1",
             "Customer Count = 2", "Total: 2"});
        row("rptAcctAdjust", "Date of Adjustment: \n01/02/2004 To 29/02/2004",
            {"000001 | REFUND, DAMAGED | -20.00 | 10/02/2004 | 11/02/2004",
             "000002 | FLOAT | 7.50 | 29/02/2004 | 29/02/2004", "Record Count = 2",
             "Total: | -12.50"});
        row("rptAllItems", "Rental Times: 2 To 3",
            {"V | 01/05/2003 | V00002 | Rented Out | CASABLANCA | 60.00 | 99.00 | 2",
             "V | 01/05/2003 | V00001 | Rented Out | CASABLANCA | 60.00 | 99.00 | 3",
             "Record Count = 2"});
        row("rptAllCustomers", "Rental Times: 2 To 3",
            {"3 | A123456(7) | 000001 | CHAN TAI MAN | 陳大文 | FLAT A, 1/F | M | Y",
             "3 | B7654321 | 000002 | O'BRIEN \"JACK\" | 2 LINE ROAD | M | Y", "Record Count = 2"});
        row("rptAllCustomers", "Rental Times: 0 To 0",
            {"0 | C1111111 | 000003 | LEE MAN KIT | 李文傑 | F | Y", "Record Count = 1"}, {0, 0});
        row("rptAllCustomers", "",
            {"0 | C1111111 | 000003 | LEE MAN KIT | 李文傑 | F | Y",
             "3 | A123456(7) | 000001 | CHAN TAI MAN | 陳大文 | FLAT A, 1/F | M | Y",
             "3 | B7654321 | 000002 | O'BRIEN \"JACK\" | 2 LINE ROAD | M | Y", "Record Count = 3"},
            {-1, 0});
    }
    void tables() {
        const auto [name, times, criteria, table] = Tables::fetch();
        QStringList statements;
        m_shop.db().setTrace(
            [&statements](const QString& sql, const QVariantList&) { statements << sql; });
        const std::optional<Report> r = run(name, february(times));
        m_shop.db().setTrace({});
        QVERIFY(r);
        // None walks the history of lines or charges from its start to find its rows; an index
        // that holds only some rows (the open lines) holds no history. (The file's plans: a
        // server plans by its own statistics.)
        static const QRegularExpression walk(
            R"(^(SCAN Order_|SEARCH Order_\w+ USING (?:COVERING )?INDEX (\w+) .*\(\w+<\?\)$))");
        const QString partial(
            "SELECT partial FROM pragma_index_list('Order_Details') WHERE name = ?");
        for (const QString& sql : TestDb::onServer() ? QStringList() : statements) {
            auto plan =
                m_shop.db().run("EXPLAIN QUERY PLAN " + sql, QVariantList(sql.count('?')), "plan");
            while (plan && plan->next()) {
                const QRegularExpressionMatch m = walk.match(plan->value(3).toString());
                QVERIFY2(!m.hasMatch() || m_shop.scalar(partial, {m.captured(2)}) == 1,
                         qPrintable(sql));
            }
        }
        QCOMPARE(r->definition.criteria, criteria);
        const PageModel m = layout(*r);
        QCOMPARE(body(m), table);
        QVERIFY2(overlap(m.pages.first()).isEmpty(), qPrintable(overlap(m.pages.first())));
        for (const QString& heading : lines(m.pages, {Band::PageHeader}))
            QVERIFY2(!heading.contains(QChar(0x2026)), qPrintable(heading));
    }

    // A month's summary as a preview runs it: summed, stored as the one summary row and shown.
    void summaryOfAMonth() {
        InquiryChoice choice;
        choice.period = InquiryPeriod::Monthly;
        choice.boxes = {"10/03/2004", "10/03/2004", "02/2004"};
        const auto plan = PlanPreview(choice);
        QVERIFY(plan);
        QCOMPARE(PrepareReport(m_shop.db(), *plan), QString());
        QCOMPARE(m_shop.scalar(QStringLiteral("SELECT RptMonthDate FROM RptDailyTx")),
                 QVariant(QStringLiteral("02/2004")));
        const std::optional<Report> r = run(plan->report, plan->request);
        QVERIFY(r);
        QCOMPARE(lines(layout(*r).pages, {Band::Block}),
                 QStringList({"Txn Date: | 01/02/2004 | To | 29/02/2004", "Rental Txn | Quantity",
                              "VCD | Others | Total Qty | Total Amt", "New: | 3 | 1 | 4 | 65.00",
                              "Renew: | 1 | 0 | 1 | 15.00", "Return: | 0 | 2 | 2",
                              "Overdue: | 0 | 2 | 2 | 20.00", "Free: | 1", "Sale: | 6 | 54.00",
                              "Damage: | 0", "New Cust: | 3", "Total = $ | 141.50",
                              "Total Adjust. = $ | -12.50"}));
    }

    // The connection has already said, once, what went wrong in the database; the inquiry
    // adds which step failed, a report run just gives up.
    void failuresStopTheReport_data() {
        const Cases<InquiryTab, QString> add;
        add("RptDailyTx", InquiryTab::Accounting, "debug: error in QryDailyRpt!");
        add("Cust_Temp", InquiryTab::Customer, "debug: error in QryCustomerRpt!");
        add("Item_Temp", InquiryTab::Product, "debug: error in QryProductRpt!");
        add("Sales", InquiryTab::Accounting, "");
    }
    void failuresStopTheReport() {
        const auto [tab, message] = Cases<InquiryTab, QString>::fetch();
        TestDb t;
        QVERIFY(t.exec(QStringLiteral("DROP TABLE ") + QTest::currentDataTag()));
        InquiryChoice choice;
        choice.tab = tab;
        choice.report = message.isEmpty() ? AccountingReport::Sales : AccountingReport::Summary;
        choice.boxes = {"15/02/2004", "", "02/2004"};
        const auto plan = PlanPreview(choice);
        QVERIFY(plan);
        QCOMPARE(PrepareReport(t.db(), *plan), message);
        if (message.isEmpty())
            QVERIFY(!runReport(t.db(), plan->report, plan->request));
        QCOMPARE(t.messages.boxes.size(), 1);
        QVERIFY(t.messages.boxes.first().text.startsWith(QStringLiteral("Error # ")));
    }

    void timedRunWritesThePdf() {
        const PdfRun pdf =
            runReportToPdf(m_shop.db(), QStringLiteral("rptSales"), february(), Info);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(pdf.ok).arg(pdf.pages).arg(pdf.rows), "1 1 3");
        QVERIFY(!runReportToPdf(m_shop.db(), QStringLiteral("rptNone"), february(), Info).ok);
    }

    // Which boxes an option switches on, what choosing it on 10/03/2004 writes into them, and
    // how a report reads them ("-": nothing, as a needed box is no real date).
    // Each row: the option, the boxes typed, then switched on; chosen; read.
    void periods_data() {
        const Periods row;
        const InquiryPeriod daily = InquiryPeriod::Daily, range = InquiryPeriod::Range;
        row("daily, the end from the day", daily, "05/03/2004|  /  /    |12/2003",
            "100;10/03/2004|10/03/2004|03/2004;05/03/2004|05/03/2004|12/2003");
        row("daily of no real day", daily, "31/02/2004|05/03/2004|03/2004",
            "100;10/03/2004|10/03/2004|03/2004;-");
        row("range ending before it starts", range, "09/03/2004|01/03/2004|03/2004",
            "110;09/03/2004|01/03/2004|03/2004;09/03/2004|01/03/2004|03/2004");
        row("range with a bad end", range, "01/03/2004|1/3/2004  |03/2004",
            "110;01/03/2004|1/3/2004  |03/2004;-");
        row("month", InquiryPeriod::Monthly, "10/03/2004|10/03/2004|02/2004",
            "001;01/02/2004|29/02/2004|02/2004;01/02/2004|29/02/2004|02/2004");
        row("month with one digit", InquiryPeriod::Monthly, "10/03/2004|10/03/2004|2 /2004",
            "001;10/03/2004|10/03/2004|2 /2004;-");
    }
    void periods() {
        const auto [period, typed, outcome] = Periods::fetch();
        const PeriodSwitches on = PeriodBoxesOn(period);
        const std::optional<PeriodBoxes> read = ValidatePeriod(period, boxes(typed));
        QCOMPARE(QStringList({QString::number(on.date) + QString::number(on.endDate) +
                                  QString::number(on.month),
                              joined(ChoosePeriod(period, boxes(typed), QDate(2004, 3, 10))),
                              read ? joined(*read) : QStringLiteral("-")})
                     .join(QLatin1Char(';')),
                 outcome);
    }

    // Which report a preview runs, what runs first (the step's number), whether it flushes,
    // and the values its tab gives. Only the chosen tab's boxes matter: the others hold wrong
    // values here. A rental-times box reads as a number, its blanks left out wherever they are.
    void plans_data() {
        const Plans add;
        const auto row = [&add](InquiryTab tab, AccountingReport report, const QString& plan) {
            add(qPrintable(plan.section(QLatin1Char(' '), 0, 0)), tab, report, plan);
        };
        const InquiryTab accounts = InquiryTab::Accounting;
        const QString feb =
            QStringLiteral(" 01/02/2004-29/02/2004 02/2004 01/02/2004|29/02/2004|02/2004");
        row(accounts, AccountingReport::Summary, "DailyTxRpt 1 0" + feb);
        row(accounts, AccountingReport::Adjustments, "rptAcctAdjust 0 1" + feb);
        row(accounts, AccountingReport::Sales, "rptSales 0 1" + feb);
        row(accounts, AccountingReport::RentalByItem, "rptRent 0 1" + feb);
        row(accounts, AccountingReport::RentalByTxn, "rptRentByTxn 0 1" + feb);
        row(InquiryTab::Customer, AccountingReport::Summary, "rptAllCustomers 2 0 1-1234");
        row(InquiryTab::Product, AccountingReport::Summary, "rptAllItems 3 1 0-12");
        row(InquiryTab::Overdue, AccountingReport::Summary, "rptOSItem 0 1 09/03/2004");
    }
    void plans() {
        const auto [tab, report, plan] = Plans::fetch();
        const bool accounts = tab == InquiryTab::Accounting;
        const PeriodBoxes typed =
            boxes(accounts ? "10/03/2004|10/03/2004|02/2004" : "  /  /    |  /  /    |  /    ");
        const QString due = tab == InquiryTab::Overdue ? "09/03/2004" : "30/02/2004";
        const auto p = PlanPreview(
            {tab, report, InquiryPeriod::Monthly, typed, "1   ", "1234", "    ", "1 2 ", due});
        QVERIFY(p);
        const ReportRequest& r = p->request;
        const auto day = [](const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); };
        QString values = QStringLiteral("%1-%2").arg(r.times.from).arg(r.times.to);
        if (accounts)
            values = day(r.from) + '-' + day(r.to) + ' ' + p->month + ' ' + joined(p->boxes);
        else if (tab == InquiryTab::Overdue)
            values = day(r.due);
        QCOMPARE(QStringLiteral("%1 %2 %3 ").arg(p->report).arg(int(p->step)).arg(int(p->flush)) +
                     values,
                 plan);
    }

    // A wrong overdue date runs nothing (a wrong period is read as above).
    void badOverdueDateRunsNothing() {
        InquiryChoice choice;
        choice.tab = InquiryTab::Overdue;
        choice.dueDate = QStringLiteral("30/02/2004");
        QVERIFY(!PlanPreview(choice));
    }

    // Sums and counts of groups show in the shop's reports; a report without rows still has
    // its totals.
    void emptyReportStillTotals() {
        QCOMPARE(body(layout(charges({}))),
                 (QStringList{"Total: | 0 | 0.00", "Category Count = 0"}));
    }

    // Every page has its headings and its number, a row never runs from one page onto the
    // next nor into the page footer, and a group cut by a break names itself again at the top.
    // A note too wide for its column goes on over further lines of its row, broken between
    // words, or inside a word only when the word alone is wider than the column.
    void pages_data() {
        const Cases<QString, QString> add;
        add("words",
            "FLAT 12B, 33RD FLOOR, BLOCK C, WONDERFUL GARDEN MANSION, 123 WATERLOO ROAD, KOWLOON "
            "TONG",
            " ");
        add("one long word", QString(120, QLatin1Char('W')), "");
        add("Chinese", QString::fromUtf8("陳大文").repeated(30), "");
    }
    void pages() {
        const auto [note, joiner] = Cases<QString, QString>::fetch();
        const PageModel m = layout(longCharges(note));
        const int count = m.pages.size();
        QVERIFY(count >= 3);
        for (int i = 0; i < count; ++i) {
            const ReportPage& page = m.pages.at(i);
            QCOMPARE(
                lines({page}, {Band::PageFooter}),
                QStringList{
                    QStringLiteral("FLICKA VIDEO 影帶 | Page %1 of %2").arg(i + 1).arg(count)});
            QCOMPARE(page.texts.last().rect.right(), m.area.width());
            QCOMPARE(lines({page}, {Band::PageHeader}),
                     QStringList({"Code", "Day | Qty | Amount($) | Note"}));
            QVERIFY(lines({page}, {Band::Detail}).first().startsWith(QStringLiteral("01/02/2004")));
            // The table goes on under a group header.
            QCOMPARE(lines({page}, {Band::GroupHeader, Band::Detail}).first(),
                     lines({page}, {Band::GroupHeader}).first());
            const double footerTop = page.lines.last().y1();
            for (const PageText& text : page.texts) {
                QVERIFY(text.rect.left() >= 0 && text.width <= text.rect.width() + 0.01 &&
                        !text.text.contains(QChar(0x2026)));
                if (text.band != Band::PageFooter)
                    QVERIFY2(text.rect.bottom() <= footerTop, qPrintable(text.text));
            }
        }
        QCOMPARE(lines({m.pages.at(1)}, {Band::GroupHeader}).first(),
                 lines({m.pages.first()}, {Band::GroupHeader}).last());
        QVERIFY(within(m));
        QCOMPARE(lines(m.pages, {Band::ReportFooter}),
                 QStringList({"Total: | 210 | 21.00", "Category Count = 3"}));
        // The first row: its figures on its first line, its note over the lines up to the next.
        const QStringList details = lines(m.pages, {Band::Detail});
        QVERIFY(details.first().startsWith(QStringLiteral("01/02/2004 | 1 | 0.10")));
        QStringList noteLines{details.first().section(QStringLiteral(" | "), 3)};
        for (int i = 1; !details.at(i).startsWith(QStringLiteral("01/02/2004")); ++i)
            noteLines.append(details.at(i));
        QCOMPARE(noteLines.join(joiner), note);
    }

    void largeFigureGivesUpItsGapRatherThanDigits() {
        // Widths in points: the two columns fill the 527 points of an A4 page's printable width.
        const QString amount = QStringLiteral("1,234.50");
        const double room = TextMeasure().width(amount, TextStyle::Normal) + 9;
        Report r;
        r.definition.columns = {column("Note", "Note", 527 - room),
                                column("Amount($)", "Amt", room, FieldFormat::Amount)};
        r.data.fields = QStringList{"Note", "Amt"};
        r.data.rows = {{QStringLiteral("x"), QVariant::fromValue(*Money::parse(amount))}};
        const PageModel m = layout(r);
        QCOMPARE(lines(m.pages, {Band::Detail}), QStringList({"x | 1,234.50"}));
        QVERIFY(overlap(m.pages.first()).isEmpty());
    }

    // Every page is painted, with its texts in any script.
    void pdfHoldsEveryPage() {
        const PageModel m = layout(longCharges(QStringLiteral("陳大文")));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("test.pdf"));
        QVERIFY(writePdf(m, path, QStringLiteral("Test Report:")));
        QProcess tool;
        tool.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(tool.waitForFinished() && tool.exitCode() == 0);
        // The PDF's text layer names a few Chinese glyphs by the Kangxi radical that shares the
        // glyph (the page itself shows the right character); NFKC folds them back.
        const QString text = QString::fromUtf8(tool.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC);
        for (const QString& part : {QStringLiteral("Test Report:"), QStringLiteral("陳大文"),
                                    QStringLiteral("FLICKA VIDEO 影帶"),
                                    QStringLiteral("Page %1 of %1").arg(m.pages.size())})
            QVERIFY2(text.contains(part), qPrintable(part));
        QCOMPARE(text.count(QLatin1Char('\f')), m.pages.size());
    }

    // One CSV row per detail line with its group keys, one column per field of a column that
    // shows several; amounts without thousands separators; quotes where a value needs them.
    void csvKeepsEveryValueWhole() {
        Report r = charges({"A 1 1,234.5", "A 2 0", "B 3 0"});
        r.definition.columns.last().fields.append(QStringLiteral("Code"));
        const QStringList notes = {"ONE, TWO", "SAY \"HI\"", "TWO\nLINES 陳"};
        for (int i = 0; i < notes.size(); ++i)
            r.data.rows[i][4] = notes[i];
        QCOMPARE(reportCsv(r),
                 "\xEF\xBB\xBF" + QStringLiteral("Code,Day,Qty,Amount($),Note,Code\r\n"
                                                 "A,01/02/2004,1,1234.50,\"ONE, TWO\",A\r\n"
                                                 "A,01/02/2004,2,0.00,\"SAY \"\"HI\"\"\",A\r\n"
                                                 "B,01/02/2004,3,0.00,\"TWO\nLINES 陳\",B\r\n")
                                      .toUtf8());
    }

    // On roll paper a title has a line of its own with its figures below, and the roll (of any
    // width) is 80 mm wide and cut just below the total however long the visit; other paper
    // gets A4 pages, one line to a row. The visit's first line is repeated to make it long.
    void layouts_data() {
        const Cases<QPageLayout, bool> add;
        add("roll",
            pageOf(QPageSize(QSizeF(58, 200), QPageSize::Millimeter, QString(),
                             QPageSize::ExactMatch)),
            true);
        add("Letter", pageOf(QPageSize(QPageSize::Letter)), false);
    }
    void layouts() {
        const auto [printer, roll] = Cases<QPageLayout, bool>::fetch();
        Receipt r = receipt();
        r.lines = QList<ReceiptLine>(120, r.lines.first()) + r.lines;
        const PageModel model = layoutReceipt(r, printer);
        QCOMPARE(model.pages.size() > 1, !roll);
        QCOMPARE(qRound(model.pageLayout.fullRect(QPageLayout::Millimeter).width()),
                 roll ? 80 : 210);
        const QStringList entry =
            roll ? QStringList{"000005  ERASERHEAD", "Qty 2 | Due 16/03/2004 | 30.00"}
                 : QStringList{"000002 | BRAZIL | 1 | 13/03/2004 | 15.00", "Late charge | 30.00"};
        const QStringList printed = lines(model.pages, {Band::Detail});
        QCOMPARE(printed.first(), QStringLiteral("FLICKA 影帶"));
        QVERIFY(printed.contains(QStringLiteral("Member: 000123")));
        QVERIFY(printed.contains(QStringLiteral("Arrears, owed 45.00")));
        QCOMPARE(printed.mid(printed.indexOf(entry.first()), 2), entry);
        QCOMPARE(printed.last(), QStringLiteral("Total ($): | 195.00"));
        QVERIFY(within(model));
        const double lastLine = model.pages.last().texts.last().rect.bottom();
        QCOMPARE(model.area.height() < lastLine + 30, roll);
    }

    // The lines by section, and a total that is the counter's and that the lines add up to;
    // last, as it takes a line off the visit, which leaves it off the receipt.
    void linesOfAMixedVisit() {
        Receipt r = receipt();
        QCOMPARE(r.customerName, QStringLiteral("MEMBER 000123 陳大文"));
        QStringList lines;
        Money sum;
        for (const ReceiptLine& line : r.lines) {
            lines << describe(line);
            sum += line.paid();
        }
        QCOMPARE(lines,
                 (QStringList{
                     "Rentals|000005|ERASERHEAD|2|16/03/2004|30.00|0.00||paid",
                     "Rentals|000006|FARGO|1|13/03/2004|0.00|0.00|Free|paid",
                     "Returns|000001|ALIEN|0||0.00|30.00||paid",
                     "Renewals|000002|BRAZIL|1|13/03/2004|15.00|30.00||paid",
                     "Renewals|000003|CASABLANCA|1|13/03/2004|0.00|0.00|Arrears, owed 45.00|owed",
                     "Sales|S00001|POPCORN|7||60.00|0.00||paid",
                     "Settled|000004|DUNE|0||0.00|30.00||paid"}));
        QCOMPARE(r.total, visit->UpdateTotals().total());
        QCOMPARE(sum, r.total);
        QVERIFY(visit->ExecuteCommand("D", "000005", {}).ok);
        r = receipt();
        QCOMPARE(r.lines.first().itemID, QStringLiteral("000006"));
        QCOMPARE(r.total.format(), QStringLiteral("165.00"));
    }
};

QTEST_MAIN(Test_reports)
#include "tst_reports.moc"
