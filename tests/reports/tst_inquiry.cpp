#include "inquiry.h"

#include <QTest>

Q_DECLARE_METATYPE(InquiryPeriod)
Q_DECLARE_METATYPE(InquiryTab)
Q_DECLARE_METATYPE(AccountingReport)

namespace {

// The three period boxes written "date|end|month".
PeriodBoxes boxes(const QString& joined) {
    const QStringList b = joined.split(QLatin1Char('|'));
    return {b.value(0), b.value(1), b.value(2)};
}

QString joined(const PeriodBoxes& b) {
    return QStringList{b.date, b.endDate, b.month}.join(QLatin1Char('|'));
}

} // namespace

// What the report inquiry decides without its window: the period options, their validation,
// and which report a preview runs with which values.
class Test_inquiry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Which boxes an option switches on, what choosing it on 10/03/2004 writes into them, and
    // how a report reads them ("-": nothing, as a needed box is no real date).
    void periods_data() {
        QTest::addColumn<InquiryPeriod>("period");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("outcome"); // switched on; chosen; read
        const auto row = [](const char* name, InquiryPeriod period, const char* typed,
                            const char* outcome) {
            QTest::newRow(name) << period << QString(typed) << QString(outcome);
        };
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
        QFETCH(InquiryPeriod, period);
        QFETCH(QString, typed);
        QFETCH(QString, outcome);
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
        QTest::addColumn<InquiryTab>("tab");
        QTest::addColumn<AccountingReport>("report");
        QTest::addColumn<QString>("plan");
        const auto row = [](InquiryTab tab, AccountingReport report, const QString& plan) {
            QTest::newRow(qPrintable(plan.section(QLatin1Char(' '), 0, 0)))
                << tab << report << plan;
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
        QFETCH(InquiryTab, tab);
        QFETCH(AccountingReport, report);
        QFETCH(QString, plan);
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

    // A wrong date runs nothing: the period's are read as above, the overdue date here.
    void badDateRunsNothing() {
        InquiryChoice choice;
        choice.boxes = boxes("  /  /    |10/03/2004|03/2004");
        QVERIFY(!PlanPreview(choice));
        choice.tab = InquiryTab::Overdue;
        choice.dueDate = QStringLiteral("30/02/2004");
        QVERIFY(!PlanPreview(choice));
    }
};

QTEST_GUILESS_MAIN(Test_inquiry)
#include "tst_inquiry.moc"
