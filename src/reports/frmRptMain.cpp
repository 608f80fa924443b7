#include "frmRptMain.h"

#include "AppContext.h"
#include "Clock.h"
#include "HourglassGuard.h"
#include "MaskedLineEdit.h"
#include "ReportPreview.h"
#include "formutil.h"
#include "inquiryrun.h"
#include "utility.h"

#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// What the status bar says while the work before a report blocks the window.
QString busyText(InquiryStep step) {
    switch (step) {
    case InquiryStep::Summary:
        return QStringLiteral("Summing the period's transactions...");
    case InquiryStep::CustomerRanking:
        return QStringLiteral("Counting the rentals of every member...");
    case InquiryStep::ProductRanking:
        return QStringLiteral("Counting the rentals of every copy...");
    case InquiryStep::None:
        break;
    }
    return QStringLiteral("Reading the report...");
}

} // namespace

void frmRptMain::Start(int kind) {
    show();
    raise();
    activateWindow();
    SetTab(kind);
}

void frmRptMain::SetTab(int tab) {
    if (tab < 0 || tab >= SSTabRpt->count())
        return;
    SSTabRpt->setCurrentIndex(tab);
    switch (InquiryTab(tab)) {
    case InquiryTab::Accounting:
        optRptDaily->setChecked(true);
        choosePeriod(InquiryPeriod::Daily);
        txtRptDate->setFocus();
        break;
    case InquiryTab::Customer:
    case InquiryTab::Product:
        txtTimesFrom[tab]->setFocus();
        break;
    case InquiryTab::Overdue:
        txtOSItemEndDate->setFocus();
        break;
    }
}

// A switched-off box stays in sight, greyed, so the clerk still sees the period it holds.
void frmRptMain::choosePeriod(InquiryPeriod period) {
    const PeriodSwitches on = PeriodBoxesOn(period);
    txtRptDate->setEnabled(on.date);
    txtRptEndDate->setEnabled(on.endDate);
    txtRptMonthDate->setEnabled(on.month);
    showPeriod(ChoosePeriod(period, periodBoxes(), m_ctx.clock.today()));
    if (period == InquiryPeriod::Daily)
        txtOSItemEndDate->setText(DateToDisplay(m_ctx.clock.today()));
}

InquiryPeriod frmRptMain::period() const {
    if (optRptMonthly->isChecked())
        return InquiryPeriod::Monthly;
    return optRptMulti->isChecked() ? InquiryPeriod::Range : InquiryPeriod::Daily;
}

AccountingReport frmRptMain::accountingReport() const {
    const QList<std::pair<QRadioButton*, AccountingReport>> options = {
        {optTypeTx, AccountingReport::Summary},
        {optTypeAccAdjust, AccountingReport::Adjustments},
        {optTypeSales, AccountingReport::Sales},
        {optTypeRental, AccountingReport::RentalByItem},
        {optTypeRentByTxn, AccountingReport::RentalByTxn}};
    for (const auto& [button, report] : options) {
        if (button->isChecked())
            return report;
    }
    return AccountingReport::Summary;
}

PeriodBoxes frmRptMain::periodBoxes() const {
    return {txtRptDate->text(), txtRptEndDate->text(), txtRptMonthDate->text()};
}

void frmRptMain::showPeriod(const PeriodBoxes& boxes) {
    txtRptDate->setText(boxes.date);
    txtRptEndDate->setText(boxes.endDate);
    txtRptMonthDate->setText(boxes.month);
}

InquiryChoice frmRptMain::readChoice() const {
    InquiryChoice choice;
    choice.tab = InquiryTab(SSTabRpt->currentIndex());
    choice.report = accountingReport();
    choice.period = period();
    choice.boxes = periodBoxes();
    choice.customerFrom = txtTimesFrom[1]->text();
    choice.customerTo = txtTimesTo[1]->text();
    choice.productFrom = txtTimesFrom[2]->text();
    choice.productTo = txtTimesTo[2]->text();
    choice.dueDate = txtOSItemEndDate->text();
    return choice;
}

void frmRptMain::Preview() {
    const std::optional<InquiryPlan> plan = PlanPreview(readChoice());
    if (!plan) {
        m_ctx.messages.show(InquiryDateError, MsgIcon::Exclamation);
        return;
    }
    // The days the report covers, as the clerk should see them (a month as its two days).
    showPeriod(plan->boxes);
    QString failed;
    {
        const HourglassGuard hourglass;
        sbPanel1->setText(busyText(plan->step));
        sbPanel1->repaint();
        failed = PrepareReport(m_ctx.db, *plan);
        if (failed.isEmpty()) {
            if (const std::optional<Report> report =
                    runReport(m_ctx.db, plan->report, plan->request))
                showReport(*report);
        }
        sbPanel1->clear();
    }
    if (!failed.isEmpty())
        m_ctx.messages.show(failed);
}

void frmRptMain::showReport(const Report& report) {
    const PrintInfo info{m_ctx.ShopName, m_ctx.clock.now()};
    auto* preview = new ReportPreview(ReportContent(report, info), m_ctx.messages, this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
}

bool frmRptMain::previewKey(QKeyEvent& key) {
    if (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (key.key()) {
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F4:
        SetTab(key.key() - Qt::Key_F1);
        return true;
    case Qt::Key_F12:
        Preview();
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

void frmRptMain::focusMoved(QWidget*, QWidget* now) {
    for (int tab : {1, 2}) {
        if (now == txtTimesFrom[tab] || now == txtTimesTo[tab])
            SelectAllText(static_cast<QLineEdit*>(now));
    }
}
