#pragma once

#include "reports.h"

#include <QDate>
#include <QString>

#include <optional>

// What the report inquiry screen decides, without the screen: which boxes a period option
// switches on, what it writes into them, whether a period is valid, and which report a
// preview runs with which values.

enum class InquiryTab { Accounting = 0, Customer = 1, Product = 2, Overdue = 3 };
enum class InquiryPeriod { Daily, Range, Monthly };
// The reports of the Accounting tab, in the order their options are tested.
enum class AccountingReport { Summary, Adjustments, Sales, RentalByItem, RentalByTxn };

// The period boxes as they read on screen: dates "dd/mm/yyyy", the month "mm/yyyy".
struct PeriodBoxes {
    QString date;
    QString endDate;
    QString month;
    bool operator==(const PeriodBoxes&) const = default;
};

// Which period boxes take typing under an option.
struct PeriodSwitches {
    bool date = false;
    bool endDate = false;
    bool month = false;
    bool operator==(const PeriodSwitches&) const = default;
};

inline const QString InquiryDateError = QStringLiteral("Date of Inquiry error!");

// Today in both date boxes and this month in the month box.
PeriodBoxes ResetDates(const QDate& today);
PeriodSwitches PeriodBoxesOn(InquiryPeriod period);
// What choosing an option does to the boxes: Daily resets them, Monthly writes the month's
// first and last day into the date boxes when the month reads right, Range leaves them.
PeriodBoxes ChoosePeriod(InquiryPeriod period, const PeriodBoxes& boxes, const QDate& today);
// The boxes as a report of the Accounting tab reads them: Daily makes the end the same day,
// Monthly fills both days from the month. Nothing when a needed box is not a real date.
std::optional<PeriodBoxes> ValidatePeriod(InquiryPeriod period, const PeriodBoxes& boxes);

// A rental-times box read as a number, the blanks of the mask ignored ("1   " is 1, blank is 0).
qint64 TimesValue(const QString& box);

// Everything the screen shows when Preview is asked for.
struct InquiryChoice {
    InquiryTab tab = InquiryTab::Accounting;
    AccountingReport report = AccountingReport::Summary;
    InquiryPeriod period = InquiryPeriod::Daily;
    PeriodBoxes boxes;
    // The rental-times range of the Customer and the Product tab.
    QString customerFrom;
    QString customerTo;
    QString productFrom;
    QString productTo;
    QString dueDate;
};

// Work that must be done before a report's query runs.
enum class InquiryStep { None, Summary, CustomerRanking, ProductRanking };

struct InquiryPlan {
    // The report to run (a name of ReportNames()) and its values.
    QString report;
    ReportRequest request;
    InquiryStep step = InquiryStep::None;
    // The summary's figures are for this month text, as typed (Monthly only matters).
    QString month;
    // Every preview but the customer list and the summary first makes sure earlier writes
    // are on disk.
    bool flush = false;
    // The period boxes as validation left them, to be shown again.
    PeriodBoxes boxes;
};

// The report and its values for the tab shown; nothing when its dates are wrong (the screen
// then says InquiryDateError).
std::optional<InquiryPlan> PlanPreview(const InquiryChoice& choice);
