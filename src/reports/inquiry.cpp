#include "inquiry.h"

#include "utility.h"

#include <QLocale>

PeriodBoxes ResetDates(const QDate& today) {
    return {DateToDisplay(today), DateToDisplay(today),
            QLocale::c().toString(today, QStringLiteral("MM/yyyy"))};
}

PeriodSwitches PeriodBoxesOn(InquiryPeriod period) {
    switch (period) {
    case InquiryPeriod::Daily:
        return {true, false, false};
    case InquiryPeriod::Range:
        return {true, true, false};
    case InquiryPeriod::Monthly:
        break;
    }
    return {false, false, true};
}

PeriodBoxes ChoosePeriod(InquiryPeriod period, const PeriodBoxes& boxes, const QDate& today) {
    PeriodBoxes chosen = boxes;
    if (period == InquiryPeriod::Daily)
        chosen = ResetDates(today);
    else if (period == InquiryPeriod::Monthly)
        MonthRange(chosen.month, chosen.date, chosen.endDate);
    return chosen;
}

std::optional<PeriodBoxes> ValidatePeriod(InquiryPeriod period, const PeriodBoxes& boxes) {
    PeriodBoxes valid = boxes;
    switch (period) {
    case InquiryPeriod::Daily:
        if (!IsDayDate(valid.date))
            return std::nullopt;
        valid.endDate = valid.date;
        return valid;
    case InquiryPeriod::Range:
        // An end before the start is allowed: it simply finds nothing.
        if (!IsDayDate(valid.date) || !IsDayDate(valid.endDate))
            return std::nullopt;
        return valid;
    case InquiryPeriod::Monthly:
        break;
    }
    if (!MonthRange(valid.month, valid.date, valid.endDate))
        return std::nullopt;
    return valid;
}

qint64 TimesValue(const QString& box) {
    qint64 value = 0;
    for (QChar c : box) {
        if (c == QLatin1Char(' '))
            continue;
        if (!c.isDigit())
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

namespace {

QString accountingReportName(AccountingReport report) {
    switch (report) {
    case AccountingReport::Summary:
        return QStringLiteral("DailyTxRpt");
    case AccountingReport::Adjustments:
        return QStringLiteral("rptAcctAdjust");
    case AccountingReport::Sales:
        return QStringLiteral("rptSales");
    case AccountingReport::RentalByItem:
        return QStringLiteral("rptRent");
    case AccountingReport::RentalByTxn:
        break;
    }
    return QStringLiteral("rptRentByTxn");
}

std::optional<InquiryPlan> planAccounting(const InquiryChoice& choice) {
    const std::optional<PeriodBoxes> period = ValidatePeriod(choice.period, choice.boxes);
    if (!period)
        return std::nullopt;
    InquiryPlan plan;
    plan.report = accountingReportName(choice.report);
    plan.request.from = DateToStore(period->date);
    plan.request.to = DateToStore(period->endDate);
    plan.month = period->month;
    plan.boxes = *period;
    const bool summary = choice.report == AccountingReport::Summary;
    plan.step = summary ? InquiryStep::Summary : InquiryStep::None;
    plan.flush = !summary;
    return plan;
}

InquiryPlan planRanking(const InquiryChoice& choice, bool customers) {
    InquiryPlan plan;
    plan.report = customers ? QStringLiteral("rptAllCustomers") : QStringLiteral("rptAllItems");
    plan.step = customers ? InquiryStep::CustomerRanking : InquiryStep::ProductRanking;
    plan.flush = !customers;
    plan.request.times =
        customers ? TimesRange{TimesValue(choice.customerFrom), TimesValue(choice.customerTo)}
                  : TimesRange{TimesValue(choice.productFrom), TimesValue(choice.productTo)};
    plan.boxes = choice.boxes;
    return plan;
}

} // namespace

std::optional<InquiryPlan> PlanPreview(const InquiryChoice& choice) {
    switch (choice.tab) {
    case InquiryTab::Accounting:
        return planAccounting(choice);
    case InquiryTab::Customer:
        return planRanking(choice, true);
    case InquiryTab::Product:
        return planRanking(choice, false);
    case InquiryTab::Overdue:
        break;
    }
    if (!IsDayDate(choice.dueDate))
        return std::nullopt;
    InquiryPlan plan;
    plan.report = QStringLiteral("rptOSItem");
    plan.request.due = DateToStore(choice.dueDate);
    plan.flush = true;
    plan.boxes = choice.boxes;
    return plan;
}
