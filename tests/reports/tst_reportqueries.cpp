#include "PageReader.h"
#include "ReportLayout.h"
#include "ReportShop.h"
#include "reports.h"
#include "summaries.h"

#include <QTest>

#include <memory>

using namespace pagereader;
using reportshop::feb;

Q_DECLARE_METATYPE(Band)
Q_DECLARE_METATYPE(TimesRange)

namespace {

const PrintInfo Info{QStringLiteral("FLICKA VIDEO"), QDateTime(QDate(2004, 3, 10), QTime(18, 40))};

// February, the overdue date 10/03/2004 and rental times 1 to 3.
ReportRequest february() {
    ReportRequest r;
    r.from = feb(1);
    r.to = feb(29);
    r.due = QDate(2004, 3, 10);
    r.times = TimesRange{1, 3};
    return r;
}

PageModel layout(const Report& r) {
    return layoutReport(r, Info, defaultPageLayout(r.definition));
}

// The values of one field over the report's rows, in order.
QStringList column(const Report& r, const QString& field) {
    QStringList values;
    for (const QVariantList& row : r.data.rows)
        values.append(row.value(r.data.indexOf(field)).toString());
    return values;
}

} // namespace

class Test_reportqueries : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> m_shop;

    Connection& db() { return m_shop->db(); }

private Q_SLOTS:
    void initTestCase() {
        m_shop = std::make_unique<TestDb>();
        QVERIFY(m_shop->ok() && reportshop::arrange(*m_shop));
    }
    void cleanup() { QVERIFY(m_shop->messages.boxes.isEmpty()); }

    void groupsSumsAndCounts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Band>("band");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, Band band, const QStringList& expected) {
            QTest::addRow("%s %d", name, int(band))
                << QString::fromLatin1(name) << band << expected;
        };
        row("rptSales", Band::GroupHeader, {"S00001 | POPCORN", "S00002 | COLA, \"LARGE\""});
        row("rptSales", Band::Detail,
            {"05/02/2004 | 2 | 16.00 | 000001", "29/02/2004 | 1 | 8.00 | 000002",
             "10/02/2004 | 3 | 30.00 | 000001"});
        row("rptSales", Band::GroupFooter, {"Sub total: | 3 | 24.00", "Sub total: | 3 | 30.00"});
        row("rptSales", Band::ReportFooter, {"Total: | 6 | 54.00", "Category Count = 2"});
        row("rptRent", Band::GroupHeader, {"D | DVD", "V | VIDEO"});
        row("rptRent", Band::Detail,
            {"D00001 | 15/02/2004 | Rent | 1 | 20.00 | 20.00",
             "D00001 | 20/02/2004 | Late Charge | 2 | 10.00 | 20.00",
             "V00001 | 10/02/2004 | Rent | 2 | 15.00 | 30.00",
             "V00002 | 20/02/2004 | Rent | 1 | 15.00 | 15.00",
             "V00002 | 25/02/2004 | Renewal | 1 | 15.00 | 15.00"});
        row("rptRent", Band::GroupFooter, {"Sub total: | 3 | 40.00", "Sub total: | 4 | 60.00"});
        row("rptRent", Band::ReportFooter, {"Total: | 7 | 100.00", "Category Count = 2"});
        row("rptRentByTxn", Band::GroupHeader,
            {"Rent | D | DVD", "Rent | V | VIDEO", "Late Charge | D | DVD", "Renewal | V | VIDEO"});
        row("rptRentByTxn", Band::GroupFooter,
            {"Sub total: | 1 | 20.00", "Sub total: | 3 | 45.00", "Sub total: | 2 | 20.00",
             "Sub total: | 1 | 15.00"});
        row("rptRentByTxn", Band::ReportFooter, {"Total: | 7 | 100.00", "Category Count = 4"});
        row("rptOSItem", Band::GroupHeader,
            {"000001 | CHAN TAI MAN | 陳大文 | 91234567 / 23456789",
             "000002 | O'BRIEN \"JACK\" | 61234567"});
        row("rptOSItem", Band::Detail,
            {"V00001 | V | CASABLANCA | Rented | 10/02/2004 - 09/03/2004",
             "V00002 | V | CASABLANCA | Rented | 10/02/2004 - 01/03/2004"});
        row("rptOSItem", Band::GroupFooter, {"Sub Total: 1", "Sub Total: 1"});
        row("rptOSItem", Band::ReportFooter, {"Customer Count = 2", "Total: 2"});
        row("rptAcctAdjust", Band::Detail,
            {"000001 | REFUND, DAMAGED | -20.00 | 10/02/2004 | 11/02/2004",
             "000002 | FLOAT | 7.50 | 29/02/2004 | 29/02/2004"});
        row("rptAcctAdjust", Band::ReportFooter, {"Record Count = 2", "Total: | -12.50"});
        row("rptAllItems", Band::Detail,
            {"V | 01/05/2003 | V00002 | Rented | CASABLANCA | 60.00 | 99.00 | 2",
             "V | 01/05/2003 | V00001 | Rented | CASABLANCA | 60.00 | 99.00 | 3"});
        row("rptAllItems", Band::ReportFooter, {"Record Count = 2"});
        row("rptAllCustomers", Band::Detail,
            {"3 | A123456(7) | 000001 | CHAN TAI MAN | 陳大文 | FLAT A, 1/F | M | Y",
             "3 | B7654321 | 000002 | O'BRIEN \"JACK\" | 2 LINE ROAD | M | Y"});
        row("rptAllCustomers", Band::ReportFooter, {"Record Count = 2"});
    }
    void groupsSumsAndCounts() {
        QFETCH(QString, name);
        QFETCH(Band, band);
        QFETCH(QStringList, expected);
        const std::optional<Report> r = runReport(db(), name, february());
        QVERIFY(r);
        QCOMPARE(lines(layout(*r), band), expected);
    }

    void criteriaTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TimesRange>("times");
        QTest::addColumn<QString>("expected");
        const QString period = QStringLiteral("\n01/02/2004 To 29/02/2004");
        QTest::newRow("adjustments")
            << "rptAcctAdjust" << TimesRange{} << QStringLiteral("Date of Adjustment: ") + period;
        for (const char* name : {"rptSales", "rptRent", "rptRentByTxn"})
            QTest::newRow(name) << name << TimesRange{} << QStringLiteral("Txn Date: ") + period;
        QTest::newRow("overdue") << "rptOSItem" << TimesRange{} << "Due Date: 10/03/2004";
        QTest::newRow("products 1 to 5")
            << "rptAllItems" << TimesRange{1, 5} << "Rental Times: 1 To 5";
        QTest::newRow("customers 0 to 0")
            << "rptAllCustomers" << TimesRange{0, 0} << "Rental Times: 0 To 0";
        QTest::newRow("no range") << "rptAllItems" << TimesRange{-1, 5} << QString();
    }
    void criteriaTexts() {
        QFETCH(QString, name);
        QFETCH(TimesRange, times);
        QFETCH(QString, expected);
        ReportRequest request = february();
        request.times = times;
        const std::optional<Report> r = runReport(db(), name, request);
        QVERIFY(r);
        QCOMPARE(r->definition.criteria, expected);
    }

    void rentalTimesLimitTheRankings_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TimesRange>("times");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("items rented once") << "rptAllItems" << TimesRange{} << QStringList();
        QTest::newRow("items never rented")
            << "rptAllItems" << TimesRange{0, 0} << QStringList({"S00001", "S00002"});
        QTest::newRow("items by count")
            << "rptAllItems" << TimesRange{2, 4} << QStringList({"V00002", "V00001", "D00001"});
        QTest::newRow("every item")
            << "rptAllItems" << TimesRange{-1, 0}
            << QStringList({"S00001", "S00002", "V00002", "V00001", "D00001"});
        QTest::newRow("members never rented")
            << "rptAllCustomers" << TimesRange{0, 0} << QStringList({"000003"});
        QTest::newRow("members, stored count added")
            << "rptAllCustomers" << TimesRange{3, 3} << QStringList({"000001", "000002"});
    }
    void rentalTimesLimitTheRankings() {
        QFETCH(QString, name);
        QFETCH(TimesRange, times);
        QFETCH(QStringList, listed);
        ReportRequest request = february();
        request.times = times;
        const std::optional<Report> r = runReport(db(), name, request);
        QVERIFY(r);
        const QString key = name == "rptAllItems" ? "ItemID" : "CustomerID";
        QCOMPARE(column(*r, key), listed);
    }

    void overdueBoundary_data() {
        QTest::addColumn<QDate>("due");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("due the day before is listed")
            << QDate(2004, 3, 9) << QStringList({"V00002"});
        QTest::newRow("due on the date is not")
            << QDate(2004, 3, 10) << QStringList({"V00001", "V00002"});
        QTest::newRow("a day later")
            << QDate(2004, 3, 11) << QStringList({"D00001", "V00001", "V00002"});
    }
    void overdueBoundary() {
        QFETCH(QDate, due);
        QFETCH(QStringList, listed);
        const std::optional<Report> r = rptOSItem(db(), due);
        QVERIFY(r);
        QCOMPARE(column(*r, "ItemID"), listed);
    }

    void summaryShowsTheRowAsWritten() {
        TestDb t;
        QVERIFY(t.ok());
        DailySummary s;
        s.RptDate = feb(1);
        s.RptEndDate = feb(29);
        s.RentVTimes = 2;
        s.RentDTimes = 7;
        s.ReturnVtimes = 4;
        s.FreeTimes = 1;
        s.SalesQty = 3;
        s.NewCustomerQty = 5;
        s.RentAmt = *Money::parse(QStringLiteral("1,275"));
        s.LateAmt = *Money::parse(QStringLiteral("25"));
        s.SalesAmt = *Money::parse(QStringLiteral("0.60"));
        s.AdjustAmt = *Money::parse(QStringLiteral("-12.5"));
        QVERIFY(UpdateRptDailyTx(t.db(), s));
        const std::optional<Report> r = DailyTxRpt(t.db());
        QVERIFY(r);
        const QStringList blocks = lines(layout(*r), Band::Block);
        QCOMPARE(blocks.mid(0, 7),
                 QStringList({"Txn Date: | 01/02/2004 | To | 29/02/2004", "Rental Txn | Quantity",
                              "VCD | Others | Total Qty | Total Amt", "New: | 2 | 7 | 9 | 1,275.00",
                              "Renew: | 0 | 0 | 0 | 0.00", "Return: | 4 | 0 | 4",
                              "Overdue: | 0 | 0 | 0 | 25.00"}));
        QCOMPARE(blocks.mid(7),
                 QStringList({"Free: | 1", "Sale: | 3 | 0.60", "Damage: | 0", "New Cust: | 5",
                              "Total = $ | 1,288.10", "Total Adjust. = $ | -12.50"}));
        QCOMPARE(lines(layout(*r), Band::ReportHeader).first(),
                 QStringLiteral("Transaction Summary Report:"));
        QVERIFY(t.messages.boxes.isEmpty());
    }

    void everyReportLaysOutCleanly_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : ReportNames())
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyReportLaysOutCleanly() {
        QFETCH(QString, name);
        ReportRequest request = february();
        request.times = TimesRange{-1, -1};
        const std::optional<Report> r = runReport(db(), name, request);
        QVERIFY(r);
        const PageModel m = layout(*r);
        for (const ReportPage& page : m.pages) {
            QVERIFY2(overlap(page).isEmpty(), qPrintable(overlap(page)));
            // Headings and titles are never cut.
            for (const PageText& text : page.texts) {
                if (text.band != Band::Detail)
                    QVERIFY2(!text.text.contains(QChar(0x2026)), qPrintable(text.text));
            }
        }
    }

    void failedQueryIsReportedOnce() {
        TestDb t;
        QVERIFY(t.exec(QStringLiteral("DROP TABLE Sales")));
        QVERIFY(!rptSales(t.db(), feb(1), feb(29)));
        QCOMPARE(t.messages.boxes.size(), 1);
        QCOMPARE(t.messages.boxes.first().title, QStringLiteral("Error"));
    }
};

QTEST_MAIN(Test_reportqueries)
#include "tst_reportqueries.moc"
