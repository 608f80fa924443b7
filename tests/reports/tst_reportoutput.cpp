#include "ReportCsv.h"
#include "ReportLayout.h"
#include "ReportPainter.h"
#include "ReportShop.h"
#include "reports.h"
#include "summaries.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using reportshop::feb;

namespace {

const PrintInfo Info{QStringLiteral("FLICKA VIDEO 影帶"),
                     QDateTime(QDate(2004, 3, 10), QTime(18, 40))};

ReportRequest everything() {
    ReportRequest r;
    r.from = feb(1);
    r.to = feb(29);
    r.due = QDate(2004, 3, 11);
    r.times = TimesRange{-1, -1};
    return r;
}

// The CSV lines after the byte order mark, split at the line ends outside quotes.
QStringList csvLines(const QByteArray& csv) {
    return QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

class Test_reportoutput : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> m_shop;
    QTemporaryDir m_out;

    Report report(const QString& name) {
        std::optional<Report> r = runReport(m_shop->db(), name, everything());
        return r.value_or(Report{});
    }

private Q_SLOTS:
    void initTestCase() {
        m_shop = std::make_unique<TestDb>();
        QVERIFY(m_shop->ok() && reportshop::arrange(*m_shop));
        DailySummary s;
        s.RptDate = feb(1);
        s.RptEndDate = feb(29);
        s.RentAmt = *Money::parse(QStringLiteral("1,275"));
        QVERIFY(UpdateRptDailyTx(m_shop->db(), s));
    }

    void pdfHoldsTitleAndFigures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("figures");
        QTest::newRow("summary") << "DailyTxRpt"
                                 << "Transaction Summary Report:"
                                 << QStringList({"1,275.00", "Total Adjust. = $"});
        QTest::newRow("customers")
            << "rptAllCustomers"
            << "Customer Report:" << QStringList({"陳大文", "李文傑", "Record Count = 3"});
        QTest::newRow("rent by txn")
            << "rptRentByTxn"
            << "Rental Details Report (By Txn):" << QStringList({"45.00", "Category Count = 4"});
        QTest::newRow("overdue") << "rptOSItem"
                                 << "Overdue Transaction Report:"
                                 << QStringList({"91234567 / 23456789", "陳大文", "Total: 3"});
    }
    void pdfHoldsTitleAndFigures() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QStringList, figures);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const Report r = report(name);
        const QString path = m_out.filePath(name + QStringLiteral(".pdf"));
        QVERIFY(writePdf(layoutReport(r, Info, defaultPageLayout(r.definition)), path,
                         r.definition.title));
        QProcess tool;
        tool.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        // The PDF's text layer names a few Chinese glyphs by the Kangxi radical that shares the
        // glyph (the page itself shows the right character); NFKC folds them back.
        const QString text = QString::fromUtf8(tool.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC);
        QVERIFY2(text.contains(title), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
        QVERIFY(text.contains(QStringLiteral("FLICKA VIDEO 影帶")));
        for (const QString& figure : figures)
            QVERIFY2(text.contains(figure), qPrintable(figure + QStringLiteral(" in\n") + text));
    }

    void csvEscapesCommasQuotesBreaksAndChinese() {
        const QByteArray csv = reportCsv(report(QStringLiteral("rptAllCustomers")));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = csvLines(csv);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QStringLiteral("Rent#,I.D.#,Cust ID,Name (E),(L),Address,Sex,Valid"));
        QCOMPARE(lines.at(1), QStringLiteral("0,C1111111,000003,LEE MAN KIT,李文傑,,F,Y"));
        QCOMPARE(lines.at(2),
                 QStringLiteral("3,A123456(7),000001,CHAN TAI MAN,陳大文,\"FLAT A, 1/F\",M,Y"));
        QCOMPARE(
            lines.at(3),
            QStringLiteral("3,B7654321,000002,\"O'BRIEN \"\"JACK\"\"\",,\"2 LINE\nROAD\",M,Y"));
    }

    void csvRepeatsGroupKeysOnEveryRow() {
        const QStringList lines = csvLines(reportCsv(report(QStringLiteral("rptOSItem"))));
        QCOMPARE(
            lines,
            QStringList(
                {"CustID,Name (E),(L),Phone1,Phone2,ItemID,Rate,Title,Status,StartDate,EndDate",
                 "000001,CHAN TAI MAN,陳大文,91234567,23456789,D00001,D,HERO,Rented,10/02/2004,"
                 "10/03/2004",
                 "000001,CHAN TAI MAN,陳大文,91234567,23456789,V00001,V,CASABLANCA,Rented,"
                 "10/02/2004,09/03/2004",
                 "000002,\"O'BRIEN \"\"JACK\"\"\",,61234567,,V00002,V,CASABLANCA,Rented,"
                 "10/02/2004,01/03/2004"}));
    }

    void timedRunWritesThePdf() {
        const PdfRun run =
            runReportToPdf(m_shop->db(), QStringLiteral("rptSales"), everything(), Info);
        QVERIFY(run.ok);
        QCOMPARE(run.pages, 1);
        QCOMPARE(run.rows, 3);
        QVERIFY(!runReportToPdf(m_shop->db(), QStringLiteral("rptNone"), everything(), Info).ok);
    }
};

QTEST_MAIN(Test_reportoutput)
#include "tst_reportoutput.moc"
