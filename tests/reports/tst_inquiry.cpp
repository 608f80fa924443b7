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
Q_DECLARE_METATYPE(TimesRange)

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
        QTest::newRow("february 2004 as a month")
            << InquiryPeriod::Monthly << boxes("10/03/2004", "10/03/2004", "02/2004") << true
            << boxes("01/02/2004", "29/02/2004", "02/2004");
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
        QTest::newRow("default") << "1   " << qint64(1);
        QTest::newRow("blank") << "    " << qint64(0);
        QTest::newRow("four digits") << "1234" << qint64(1234);
        QTest::newRow("digits apart") << "1 2 " << qint64(12);
    }
    void timesBoxes() {
        QFETCH(QString, box);
        QFETCH(qint64, value);
        QCOMPARE(TimesValue(box), value);
    }

    void accountingPlans_data() {
        QTest::addColumn<AccountingReport>("report");
        QTest::addColumn<QString>("name");
        QTest::addColumn<InquiryStep>("step");
        QTest::addColumn<bool>("flush");
        QTest::newRow("summary") << AccountingReport::Summary << "DailyTxRpt"
                                 << InquiryStep::Summary << false;
        QTest::newRow("adjustments")
            << AccountingReport::Adjustments << "rptAcctAdjust" << InquiryStep::None << true;
        QTest::newRow("sales") << AccountingReport::Sales << "rptSales" << InquiryStep::None
                               << true;
        QTest::newRow("by item") << AccountingReport::RentalByItem << "rptRent" << InquiryStep::None
                                 << true;
        QTest::newRow("by txn") << AccountingReport::RentalByTxn << "rptRentByTxn"
                                << InquiryStep::None << true;
    }
    void accountingPlans() {
        QFETCH(AccountingReport, report);
        QFETCH(QString, name);
        QFETCH(InquiryStep, step);
        QFETCH(bool, flush);
        const auto plan = PlanPreview(accounting(report, InquiryPeriod::Monthly,
                                                 boxes("10/03/2004", "10/03/2004", "02/2004")));
        QVERIFY(plan);
        QCOMPARE(plan->report, name);
        QCOMPARE(plan->step, step);
        QCOMPARE(plan->flush, flush);
        QCOMPARE(plan->request.from, QDate(2004, 2, 1));
        QCOMPARE(plan->request.to, QDate(2004, 2, 29));
        QCOMPARE(plan->month, QStringLiteral("02/2004"));
        QCOMPARE(plan->boxes, boxes("01/02/2004", "29/02/2004", "02/2004"));
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

    void otherTabs_data() {
        QTest::addColumn<InquiryTab>("tab");
        QTest::addColumn<QString>("name");
        QTest::addColumn<InquiryStep>("step");
        QTest::addColumn<bool>("flush");
        QTest::addColumn<TimesRange>("times");
        QTest::newRow("customers") << InquiryTab::Customer << "rptAllCustomers"
                                   << InquiryStep::CustomerRanking << false << TimesRange{1, 5};
        QTest::newRow("products") << InquiryTab::Product << "rptAllItems"
                                  << InquiryStep::ProductRanking << true << TimesRange{0, 12};
        QTest::newRow("overdue") << InquiryTab::Overdue << "rptOSItem" << InquiryStep::None << true
                                 << TimesRange{};
    }
    void otherTabs() {
        QFETCH(InquiryTab, tab);
        QFETCH(QString, name);
        QFETCH(InquiryStep, step);
        QFETCH(bool, flush);
        QFETCH(TimesRange, times);
        InquiryChoice choice;
        choice.tab = tab;
        // The accounting tab's boxes do not matter here, even when they are wrong.
        choice.boxes = boxes("  /  /    ", "  /  /    ", "  /    ");
        choice.customerFrom = QStringLiteral("1   ");
        choice.customerTo = QStringLiteral("5   ");
        choice.productFrom = QStringLiteral("    ");
        choice.productTo = QStringLiteral("12  ");
        choice.dueDate = QStringLiteral("09/03/2004");
        const auto plan = PlanPreview(choice);
        QVERIFY(plan);
        QCOMPARE(plan->report, name);
        QCOMPARE(plan->step, step);
        QCOMPARE(plan->flush, flush);
        if (tab == InquiryTab::Overdue)
            QCOMPARE(plan->request.due, QDate(2004, 3, 9));
        else
            QCOMPARE((std::pair{plan->request.times.from, plan->request.times.to}),
                     (std::pair{times.from, times.to}));
    }
};

QTEST_GUILESS_MAIN(Test_inquiry)
#include "tst_inquiry.moc"
