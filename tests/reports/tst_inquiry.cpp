#include "TestDb.h"
#include "inquiry.h"
#include "reports.h"

#include <QTest>

Q_DECLARE_METATYPE(InquiryPeriod)
Q_DECLARE_METATYPE(InquiryTab)
Q_DECLARE_METATYPE(AccountingReport)
Q_DECLARE_METATYPE(InquiryStep)
Q_DECLARE_METATYPE(PeriodBoxes)
Q_DECLARE_METATYPE(InquiryChoice)

namespace {

const QDate Today(2004, 3, 10);

PeriodBoxes boxes(const char* date, const char* end, const char* month) {
    return {QString::fromLatin1(date), QString::fromLatin1(end), QString::fromLatin1(month)};
}

InquiryChoice accounting(AccountingReport report, InquiryPeriod period, const PeriodBoxes& b) {
    InquiryChoice choice;
    choice.report = report;
    choice.period = period;
    choice.boxes = b;
    return choice;
}

} // namespace

// The period options, their validation, and which report a preview runs with which values.
class Test_inquiry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choosingAnOption_data() {
        QTest::addColumn<InquiryPeriod>("period");
        QTest::addColumn<PeriodBoxes>("before");
        QTest::addColumn<PeriodBoxes>("after");
        QTest::newRow("daily resets")
            << InquiryPeriod::Daily << boxes("01/01/2003", "05/01/2003", "12/2003")
            << boxes("10/03/2004", "10/03/2004", "03/2004");
        QTest::newRow("range keeps")
            << InquiryPeriod::Range << boxes("01/01/2003", "05/01/2003", "12/2003")
            << boxes("01/01/2003", "05/01/2003", "12/2003");
        QTest::newRow("monthly fills the days")
            << InquiryPeriod::Monthly << boxes("10/03/2004", "10/03/2004", "02/2004")
            << boxes("01/02/2004", "29/02/2004", "02/2004");
        QTest::newRow("monthly of a bad month keeps the days")
            << InquiryPeriod::Monthly << boxes("10/03/2004", "10/03/2004", "13/2004")
            << boxes("10/03/2004", "10/03/2004", "13/2004");
    }
    void choosingAnOption() {
        QFETCH(InquiryPeriod, period);
        QFETCH(PeriodBoxes, before);
        QFETCH(PeriodBoxes, after);
        QCOMPARE(ChoosePeriod(period, before, Today), after);
    }

    void validation_data() {
        QTest::addColumn<InquiryPeriod>("period");
        QTest::addColumn<PeriodBoxes>("typed");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<PeriodBoxes>("read");
        const PeriodBoxes none;
        QTest::newRow("daily takes the end from the day")
            << InquiryPeriod::Daily << boxes("05/03/2004", "  /  /    ", "03/2004") << true
            << boxes("05/03/2004", "05/03/2004", "03/2004");
        QTest::newRow("daily of no real day")
            << InquiryPeriod::Daily << boxes("31/02/2004", "05/03/2004", "03/2004") << false
            << none;
        QTest::newRow("range as typed")
            << InquiryPeriod::Range << boxes("01/03/2004", "09/03/2004", "03/2004") << true
            << boxes("01/03/2004", "09/03/2004", "03/2004");
        QTest::newRow("range ending before it starts")
            << InquiryPeriod::Range << boxes("09/03/2004", "01/03/2004", "03/2004") << true
            << boxes("09/03/2004", "01/03/2004", "03/2004");
        QTest::newRow("range with a bad end")
            << InquiryPeriod::Range << boxes("01/03/2004", "1/3/2004  ", "03/2004") << false
            << none;
        QTest::newRow("month with one digit")
            << InquiryPeriod::Monthly << boxes("10/03/2004", "10/03/2004", "2 /2004") << false
            << none;
    }
    void validation() {
        QFETCH(InquiryPeriod, period);
        QFETCH(PeriodBoxes, typed);
        QFETCH(bool, valid);
        QFETCH(PeriodBoxes, read);
        const std::optional<PeriodBoxes> result = ValidatePeriod(period, typed);
        QCOMPARE(result.has_value(), valid);
        if (valid)
            QCOMPARE(*result, read);
    }

    void timesBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<qint64>("value");
        QTest::newRow("four digits") << "1234" << qint64(1234);
        QTest::newRow("digits apart") << "1 2 " << qint64(12);
    }
    void timesBoxes() {
        QFETCH(QString, box);
        QFETCH(qint64, value);
        QCOMPARE(TimesValue(box), value);
    }

    // Which report a preview runs, what runs first, and with which values. Only the chosen
    // tab's boxes matter: the others hold wrong values here.
    void plans_data() {
        QTest::addColumn<InquiryTab>("tab");
        QTest::addColumn<AccountingReport>("report");
        QTest::addColumn<QString>("name");
        QTest::addColumn<InquiryStep>("step");
        QTest::addColumn<bool>("flush");
        const auto row = [](const char* title, InquiryTab tab, AccountingReport report,
                            const char* name, InquiryStep step, bool flush) {
            QTest::newRow(title) << tab << report << QString::fromLatin1(name) << step << flush;
        };
        const InquiryTab accounts = InquiryTab::Accounting;
        row("summary", accounts, AccountingReport::Summary, "DailyTxRpt", InquiryStep::Summary,
            false);
        row("adjustments", accounts, AccountingReport::Adjustments, "rptAcctAdjust",
            InquiryStep::None, true);
        row("sales", accounts, AccountingReport::Sales, "rptSales", InquiryStep::None, true);
        row("by item", accounts, AccountingReport::RentalByItem, "rptRent", InquiryStep::None,
            true);
        row("by txn", accounts, AccountingReport::RentalByTxn, "rptRentByTxn", InquiryStep::None,
            true);
        row("customers", InquiryTab::Customer, AccountingReport::Summary, "rptAllCustomers",
            InquiryStep::CustomerRanking, false);
        row("products", InquiryTab::Product, AccountingReport::Summary, "rptAllItems",
            InquiryStep::ProductRanking, true);
        row("overdue", InquiryTab::Overdue, AccountingReport::Summary, "rptOSItem",
            InquiryStep::None, true);
    }
    void plans() {
        QFETCH(InquiryTab, tab);
        QFETCH(AccountingReport, report);
        QFETCH(QString, name);
        QFETCH(InquiryStep, step);
        QFETCH(bool, flush);
        const bool accounts = tab == InquiryTab::Accounting;
        InquiryChoice choice = accounting(report, InquiryPeriod::Monthly,
                                          accounts ? boxes("10/03/2004", "10/03/2004", "02/2004")
                                                   : boxes("  /  /    ", "  /  /    ", "  /    "));
        choice.tab = tab;
        choice.customerFrom = QStringLiteral("1   ");
        choice.customerTo = QStringLiteral("5   ");
        choice.productFrom = QStringLiteral("    ");
        choice.productTo = QStringLiteral("12  ");
        choice.dueDate = tab == InquiryTab::Overdue ? "09/03/2004" : "30/02/2004";
        const auto plan = PlanPreview(choice);
        QVERIFY(plan);
        QCOMPARE(plan->report, name);
        QCOMPARE(plan->step, step);
        QCOMPARE(plan->flush, flush);
        if (accounts) {
            QCOMPARE(plan->request.from, QDate(2004, 2, 1));
            QCOMPARE(plan->request.to, QDate(2004, 2, 29));
            QCOMPARE(plan->month, QStringLiteral("02/2004"));
            QCOMPARE(plan->boxes, boxes("01/02/2004", "29/02/2004", "02/2004"));
        } else if (tab == InquiryTab::Overdue) {
            QCOMPARE(plan->request.due, QDate(2004, 3, 9));
        } else {
            const TimesRange times =
                tab == InquiryTab::Customer ? TimesRange{1, 5} : TimesRange{0, 12};
            QCOMPARE((std::pair{plan->request.times.from, plan->request.times.to}),
                     (std::pair{times.from, times.to}));
        }
    }

    void badDateRunsNothing() {
        for (AccountingReport report : {AccountingReport::Summary, AccountingReport::RentalByTxn})
            QVERIFY(!PlanPreview(accounting(report, InquiryPeriod::Daily,
                                            boxes("  /  /    ", "10/03/2004", "03/2004"))));
        InquiryChoice overdue;
        overdue.tab = InquiryTab::Overdue;
        overdue.dueDate = QStringLiteral("30/02/2004");
        QVERIFY(!PlanPreview(overdue));
    }
};

QTEST_GUILESS_MAIN(Test_inquiry)
#include "tst_inquiry.moc"
