#include "PageReader.h"
#include "ReportLayout.h"
#include "ReportShop.h"
#include "inquiry.h"
#include "inquiryrun.h"
#include "reports.h"

#include <QTest>

#include <memory>

using namespace pagereader;
using reportshop::feb;

Q_DECLARE_METATYPE(InquiryTab)
Q_DECLARE_METATYPE(ReportRequest)

namespace {

const PrintInfo Info{QStringLiteral("FLICKA VIDEO"), QDateTime(QDate(2004, 3, 10), QTime(18, 40))};

// February, the overdue date 10/03/2004 and rental times 1 to 3.
ReportRequest february() {
    return ReportRequest{feb(1), feb(29), QDate(2004, 3, 10), TimesRange{1, 3}};
}

PageModel layout(const Report& r) {
    return layoutReport(r, Info, defaultPageLayout(r.definition));
}

} // namespace

// The shop's reports on the small February shop: what each lists and adds up, under which
// criteria, and the work the inquiry does before a report runs.
class Test_reports : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> m_shop;

    std::optional<Report> run(const QString& name, const ReportRequest& request = february()) {
        return runReport(m_shop->db(), name, request);
    }

private Q_SLOTS:
    void initTestCase() {
        m_shop = std::make_unique<TestDb>();
        QVERIFY(m_shop->ok() && reportshop::arrange(*m_shop));
    }
    void cleanup() { QVERIFY(m_shop->messages.boxes.isEmpty()); }

    // Each report's table as printed, and every column wide enough for its heading.
    void tables_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<QStringList>("table");
        const auto row = [](const char* name, const QString& criteria, const QStringList& table) {
            QTest::newRow(name) << QString::fromLatin1(name) << criteria << table;
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
             "V00001 | V | CASABLANCA | Rented | 10/02/2004 - 09/03/2004", "Sub Total: 1",
             "000002 | O'BRIEN \"JACK\" | 61234567",
             "V00002 | V | CASABLANCA | Rented | 10/02/2004 - 01/03/2004", "Sub Total: 1",
             "Customer Count = 2", "Total: 2"});
        row("rptAcctAdjust", "Date of Adjustment: \n01/02/2004 To 29/02/2004",
            {"000001 | REFUND, DAMAGED | -20.00 | 10/02/2004 | 11/02/2004",
             "000002 | FLOAT | 7.50 | 29/02/2004 | 29/02/2004", "Record Count = 2",
             "Total: | -12.50"});
        row("rptAllItems", "Rental Times: 1 To 3",
            {"V | 01/05/2003 | V00002 | Rented | CASABLANCA | 60.00 | 99.00 | 2",
             "V | 01/05/2003 | V00001 | Rented | CASABLANCA | 60.00 | 99.00 | 3",
             "Record Count = 2"});
        row("rptAllCustomers", "Rental Times: 1 To 3",
            {"3 | A123456(7) | 000001 | CHAN TAI MAN | 陳大文 | FLAT A, 1/F | M | Y",
             "3 | B7654321 | 000002 | O'BRIEN \"JACK\" | 2 LINE ROAD | M | Y", "Record Count = 2"});
    }
    void tables() {
        QFETCH(QString, name);
        QFETCH(QString, criteria);
        QFETCH(QStringList, table);
        const std::optional<Report> r = run(name);
        QVERIFY(r);
        QCOMPARE(r->definition.criteria, criteria);
        const PageModel m = layout(*r);
        QCOMPARE(body(m), table);
        QVERIFY2(overlap(m.pages.first()).isEmpty(), qPrintable(overlap(m.pages.first())));
        for (const QString& heading : lines(m.pages, {Band::PageHeader}))
            QVERIFY2(!heading.contains(QChar(0x2026)), qPrintable(heading));
    }

    // The rankings list the rental times asked for and name the range only when both ends are
    // 0 or more; the overdue list the lines due before its date. The keys listed, in order.
    void listedRows_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ReportRequest>("request");
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<QString>("listed");
        const auto row = [](const char* name, TimesRange times, QDate due, const char* criteria,
                            const char* listed) {
            QTest::addRow("%s %s", name, criteria)
                << QString(name) << ReportRequest{feb(1), feb(29), due, times} << QString(criteria)
                << QString(listed);
        };
        const QDate mar10(2004, 3, 10);
        row("rptAllItems", {0, 0}, mar10, "Rental Times: 0 To 0", "S00001 S00002");
        row("rptAllItems", {2, 4}, mar10, "Rental Times: 2 To 4", "V00002 V00001 D00001");
        row("rptAllItems", {-1, 0}, mar10, "", "S00001 S00002 V00002 V00001 D00001");
        row("rptAllCustomers", {0, 0}, mar10, "Rental Times: 0 To 0", "000003");
        row("rptOSItem", {}, QDate(2004, 3, 9), "Due Date: 09/03/2004", "V00002");
        row("rptOSItem", {}, QDate(2004, 3, 11), "Due Date: 11/03/2004", "D00001 V00001 V00002");
    }
    void listedRows() {
        QFETCH(QString, name);
        QFETCH(ReportRequest, request);
        QFETCH(QString, criteria);
        QFETCH(QString, listed);
        const std::optional<Report> r = run(name, request);
        QVERIFY(r);
        QCOMPARE(r->definition.criteria, criteria);
        const int key = r->data.indexOf(name == "rptAllCustomers" ? "CustomerID" : "ItemID");
        QStringList keys;
        for (const QVariantList& row : r->data.rows)
            keys.append(row.value(key).toString());
        QCOMPARE(keys.join(QLatin1Char(' ')), listed);
    }

    // A month's summary as a preview runs it: summed, stored as the one summary row and shown.
    void summaryOfAMonth() {
        InquiryChoice choice;
        choice.period = InquiryPeriod::Monthly;
        choice.boxes = {"10/03/2004", "10/03/2004", "02/2004"};
        const auto plan = PlanPreview(choice);
        QVERIFY(plan);
        QCOMPARE(PrepareReport(m_shop->db(), *plan), QString());
        QCOMPARE(m_shop->scalar(QStringLiteral("SELECT RptMonthDate FROM RptDailyTx")),
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
        QTest::addColumn<InquiryTab>("tab");
        QTest::addColumn<QString>("message");
        QTest::newRow("RptDailyTx") << InquiryTab::Accounting << "debug: error in QryDailyRpt!";
        QTest::newRow("Cust_Temp") << InquiryTab::Customer << "debug: error in QryCustomerRpt!";
        QTest::newRow("Item_Temp") << InquiryTab::Product << "debug: error in QryProductRpt!";
        QTest::newRow("Sales") << InquiryTab::Accounting << "";
    }
    void failuresStopTheReport() {
        QFETCH(InquiryTab, tab);
        QFETCH(QString, message);
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
            runReportToPdf(m_shop->db(), QStringLiteral("rptSales"), february(), Info);
        QVERIFY(pdf.ok);
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.rows, 3);
        QVERIFY(!runReportToPdf(m_shop->db(), QStringLiteral("rptNone"), february(), Info).ok);
    }
};

QTEST_MAIN(Test_reports)
#include "tst_reports.moc"
