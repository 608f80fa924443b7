#include "inquiry.h"

#include <QTest>

Q_DECLARE_METATYPE(InquiryPeriod)
Q_DECLARE_METATYPE(InquiryTab)
Q_DECLARE_METATYPE(AccountingReport)
Q_DECLARE_METATYPE(InquiryStep)
Q_DECLARE_METATYPE(PeriodBoxes)
Q_DECLARE_METATYPE(PeriodSwitches)
Q_DECLARE_METATYPE(std::optional<PeriodBoxes>)

namespace {

PeriodBoxes boxes(const char* date, const char* end, const char* month) {
    return {QString::fromLatin1(date), QString::fromLatin1(end), QString::fromLatin1(month)};
}

} // namespace

// What the report inquiry decides without its window: the period options, their validation,
// and which report a preview runs with which values.
class Test_inquiry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Which boxes an option switches on, what choosing it on 10/03/2004 writes into them, and
    // how a report reads them (nothing when a needed box is no real date).
    void periods_data() {
        QTest::addColumn<InquiryPeriod>("period");
        QTest::addColumn<PeriodSwitches>("on");
        QTest::addColumn<PeriodBoxes>("typed");
        QTest::addColumn<PeriodBoxes>("chosen");
        QTest::addColumn<std::optional<PeriodBoxes>>("read");
        const auto row = [](const char* name, InquiryPeriod period, PeriodSwitches on,
                            const PeriodBoxes& typed, const PeriodBoxes& chosen,
                            const std::optional<PeriodBoxes>& read) {
            QTest::newRow(name) << period << on << typed << chosen << read;
        };
        const PeriodBoxes today = boxes("10/03/2004", "10/03/2004", "03/2004");
        const PeriodBoxes day = boxes("05/03/2004", "  /  /    ", "12/2003");
        row("daily, the end from the day", InquiryPeriod::Daily, {true, false, false}, day, today,
            boxes("05/03/2004", "05/03/2004", "12/2003"));
        row("daily of no real day", InquiryPeriod::Daily, {true, false, false},
            boxes("31/02/2004", "05/03/2004", "03/2004"), today, {});
        const PeriodBoxes backwards = boxes("09/03/2004", "01/03/2004", "03/2004");
        row("range ending before it starts", InquiryPeriod::Range, {true, true, false}, backwards,
            backwards, backwards);
        const PeriodBoxes badEnd = boxes("01/03/2004", "1/3/2004  ", "03/2004");
        row("range with a bad end", InquiryPeriod::Range, {true, true, false}, badEnd, badEnd, {});
        const PeriodBoxes february = boxes("01/02/2004", "29/02/2004", "02/2004");
        row("month", InquiryPeriod::Monthly, {false, false, true},
            boxes("10/03/2004", "10/03/2004", "02/2004"), february, february);
        const PeriodBoxes badMonth = boxes("10/03/2004", "10/03/2004", "2 /2004");
        row("month with one digit", InquiryPeriod::Monthly, {false, false, true}, badMonth,
            badMonth, {});
    }
    void periods() {
        QFETCH(InquiryPeriod, period);
        QFETCH(PeriodSwitches, on);
        QFETCH(PeriodBoxes, typed);
        QFETCH(PeriodBoxes, chosen);
        QFETCH(std::optional<PeriodBoxes>, read);
        QCOMPARE(PeriodBoxesOn(period), on);
        QCOMPARE(ChoosePeriod(period, typed, QDate(2004, 3, 10)), chosen);
        QCOMPARE(ValidatePeriod(period, typed), read);
    }

    // Which report a preview runs, what runs first, and with which values. Only the chosen
    // tab's boxes matter: the others hold wrong values here. A rental-times box reads as a
    // number, its blanks left out wherever they are.
    void plans_data() {
        QTest::addColumn<InquiryTab>("tab");
        QTest::addColumn<AccountingReport>("report");
        QTest::addColumn<QString>("name");
        QTest::addColumn<InquiryStep>("step");
        QTest::addColumn<bool>("flush");
        const auto row = [](const char* name, InquiryTab tab, AccountingReport report,
                            InquiryStep step, bool flush) {
            QTest::newRow(name) << tab << report << QString::fromLatin1(name) << step << flush;
        };
        const InquiryTab accounts = InquiryTab::Accounting;
        row("DailyTxRpt", accounts, AccountingReport::Summary, InquiryStep::Summary, false);
        row("rptAcctAdjust", accounts, AccountingReport::Adjustments, InquiryStep::None, true);
        row("rptSales", accounts, AccountingReport::Sales, InquiryStep::None, true);
        row("rptRent", accounts, AccountingReport::RentalByItem, InquiryStep::None, true);
        row("rptRentByTxn", accounts, AccountingReport::RentalByTxn, InquiryStep::None, true);
        row("rptAllCustomers", InquiryTab::Customer, AccountingReport::Summary,
            InquiryStep::CustomerRanking, false);
        row("rptAllItems", InquiryTab::Product, AccountingReport::Summary,
            InquiryStep::ProductRanking, true);
        row("rptOSItem", InquiryTab::Overdue, AccountingReport::Summary, InquiryStep::None, true);
    }
    void plans() {
        QFETCH(InquiryTab, tab);
        QFETCH(AccountingReport, report);
        QFETCH(QString, name);
        QFETCH(InquiryStep, step);
        QFETCH(bool, flush);
        const bool accounts = tab == InquiryTab::Accounting;
        const PeriodBoxes typed = accounts ? boxes("10/03/2004", "10/03/2004", "02/2004")
                                           : boxes("  /  /    ", "  /  /    ", "  /    ");
        const QString due = tab == InquiryTab::Overdue ? "09/03/2004" : "30/02/2004";
        const auto plan = PlanPreview(
            {tab, report, InquiryPeriod::Monthly, typed, "1   ", "1234", "    ", "1 2 ", due});
        QVERIFY(plan);
        QCOMPARE(plan->report, name);
        QCOMPARE(plan->step, step);
        QCOMPARE(plan->flush, flush);
        const ReportRequest& r = plan->request;
        if (accounts) {
            QCOMPARE(QList<QDate>({r.from, r.to}), QList<QDate>({{2004, 2, 1}, {2004, 2, 29}}));
            QCOMPARE(plan->month, QStringLiteral("02/2004"));
            QCOMPARE(plan->boxes, boxes("01/02/2004", "29/02/2004", "02/2004"));
        } else if (tab == InquiryTab::Overdue) {
            QCOMPARE(r.due, QDate(2004, 3, 9));
        } else {
            const QList<qint64> times =
                tab == InquiryTab::Customer ? QList<qint64>{1, 1234} : QList<qint64>{0, 12};
            QCOMPARE(QList<qint64>({r.times.from, r.times.to}), times);
        }
    }

    // A wrong date runs nothing: the period's are read as above, the overdue date here.
    void badDateRunsNothing() {
        InquiryChoice choice;
        choice.boxes = boxes("  /  /    ", "10/03/2004", "03/2004");
        QVERIFY(!PlanPreview(choice));
        choice.tab = InquiryTab::Overdue;
        choice.dueDate = QStringLiteral("30/02/2004");
        QVERIFY(!PlanPreview(choice));
    }
};

QTEST_GUILESS_MAIN(Test_inquiry)
#include "tst_inquiry.moc"
