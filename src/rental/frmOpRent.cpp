#include "frmOpRent.h"

#include "AppContext.h"
#include "Clock.h"
#include "HourglassGuard.h"
#include "MaskedLineEdit.h"
#include "RentGrids.h"
#include "ReportPreview.h"
#include "formutil.h"
#include "receipt.h"
#include "utility.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>

namespace {

const QString OneUnit = QStringLiteral("01");
// The setting that offers a receipt after every save; off unless the shop turns it on.
const QString PrintAfterSaveKey = QStringLiteral("Receipt/PrintAfterSave");

bool noModifiers(const QKeyEvent& key) {
    return !(key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

bool frmOpRent::Start(const QString& key) {
    const Outcome started = m_visit.Start(key);
    showNotices(started);
    if (!started.ok)
        return false;
    showCustomer();
    FillRentGrid(*msgRentItems, m_visit.OrderLines());
    txtOpCode->setText(m_visit.defaultCode());
    ResetCommandLine();
    return true;
}

void frmOpRent::showCustomer() {
    const CustomerRec& c = m_visit.customer();
    txtCustomerID->setText(c.CustomerID);
    txtHKID->setText(c.HKID);
    txtChineseName->setText(c.ChineseName);
    txtEnglishName->setText(c.EnglishName);
    txtBirthDate->setText(DateToDisplay(c.BirthDate));
    txtSex->setText(c.Sex);
    txtPhone1->setText(c.Phone1);
    txtPhone2->setText(c.Phone2);
    txtPhone3->setText(c.Phone3);
    txtRemarks1->setText(c.Remarks1);
    txtRemarks2->setText(c.Remarks2);
    txtStatRent->setText(QString::number(c.RentTimes));
    txtStatGood->setText(QString::number(c.GoodTimes));
    txtStatLate->setText(QString::number(c.LateTimes));
    txtStatBad->setText(QString::number(c.BadTimes));
    txtBuyCount->setText(QString::number(c.BuyCount));
    txtLastRentDate->setText(DateToDisplay(c.LastRentDate));
    lblWarnMessage->setText(m_visit.warning());
}

// Both lists show the visit as it now stands; a row the command changed and that is out of
// sight is scrolled into view, as is a newly returned item.
void frmOpRent::showLines(const QList<OrderLine>& before) {
    const int returnedBefore = msgReturnItems->rowCount();
    FillRentGrid(*msgRentItems, m_visit.OrderLines());
    FillReturnGrid(*msgReturnItems, m_visit.ReturnLines());
    for (int row : ChangedRows(before, m_visit.OrderLines()))
        ShowRow(*msgRentItems, row);
    if (msgReturnItems->rowCount() > returnedBefore)
        ShowRow(*msgReturnItems, msgReturnItems->rowCount() - 1);
}

void frmOpRent::UpdateTotals() {
    const VisitTotals t = m_visit.UpdateTotals();
    txtSumExistRent->setText(QString::number(t.ExistRent));
    txtSumNewRent->setText(QString::number(t.NewRent));
    txtSumRenew->setText(QString::number(t.Renew));
    txtSumReturn->setText(QString::number(t.Return));
    txtSumSales->setText(QString::number(t.Sales));
    txtSumNewAmt->setText(t.NewAmt.formatPlain());
    txtSumRenewAmt->setText(t.RenewAmt.formatPlain());
    txtSumReturnAmt->setText(t.ReturnAmt.formatPlain());
    txtSumLateAmt->setText(t.LateAmt.formatPlain());
    txtSumSettleAllOSAmt->setText(t.SettleAllOSAmt.formatPlain());
    txtSumSalesAmt->setText(t.SalesAmt.formatPlain());
    txtSumTotalAmt->setText(t.total().format());
}

// Ready for the next item: one unit, the cursor in the item field with its text selected.
void frmOpRent::ResetCommandLine() {
    txtOpQuantity->setText(OneUnit);
    txtOpItemID->setFocus();
    SelectAllText(txtOpItemID);
    UpdateTotals();
}

void frmOpRent::ExecuteCommand() {
    const QList<OrderLine> before = m_visit.OrderLines();
    showNotices(
        m_visit.ExecuteCommand(txtOpCode->text(), txtOpItemID->text(), txtOpQuantity->text()));
    showLines(before);
    ResetCommandLine();
}

void frmOpRent::showNotices(const Outcome& outcome) {
    for (const Notice& notice : outcome.notices)
        m_ctx.messages.show(notice.text, notice.icon);
}

// A saved visit is done with; a failed one stays on screen as it was, to be saved again.
void frmOpRent::SaveOrder() {
    // Taken before the save, which adds its charge rows to the lines: the visit as entered.
    const Receipt entered = receipt();
    Outcome saved;
    {
        const HourglassGuard hourglass;
        saved = m_visit.SaveTransaction();
    }
    showNotices(saved);
    if (!saved.ok)
        return;
    offerReceipt(entered);
    close();
}

Receipt frmOpRent::receipt() const {
    return MakeReceipt(m_visit, m_ctx.ShopName, m_ctx.clock.now());
}

// The receipt of the visit so far, in a preview to print from; the screen stays usable.
void frmOpRent::PrintReceipt() {
    auto* preview = new ReportPreview(ReceiptContent(receipt()), m_ctx.messages, this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
}

// Shops that hand out a receipt with every visit switch this on; the screen closes after it.
void frmOpRent::offerReceipt(const Receipt& entered) {
    if (!m_ctx.settings.value(PrintAfterSaveKey, false).toBool())
        return;
    if (m_ctx.messages.show(QStringLiteral("Print a receipt of this visit?"), MsgIcon::Question,
                            MsgButtons::YesNo) != AnswerYes)
        return;
    ReportPreview preview(ReceiptContent(entered), m_ctx.messages, this);
    preview.exec();
}

void frmOpRent::closeEvent(QCloseEvent* event) {
    SaveColumnWidths(*msgRentItems, m_ctx.settings);
    SaveColumnWidths(*msgReturnItems, m_ctx.settings);
    event->accept();
}

bool frmOpRent::previewKey(QKeyEvent& key) {
    if (focusWidget() == txtOpItemID)
        m_commandLine.itemKeyDown(txtOpItemID->text().size());
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return enterKey();
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const bool returned = key.modifiers() & Qt::ControlModifier;
        pageKey(returned ? *msgReturnItems : *msgRentItems, key.key() == Qt::Key_PageUp);
        return true;
    }
    case Qt::Key_Escape:
        return noModifiers(key) && close();
    case Qt::Key_F12:
        if (!noModifiers(key))
            return false;
        SaveOrder();
        return true;
    case Qt::Key_F8:
        if (!noModifiers(key))
            return false;
        PrintReceipt();
        return true;
    default:
        return false;
    }
}

bool frmOpRent::enterKey() {
    QWidget* field = focusWidget();
    if (field == txtOpItemID)
        itemEntered();
    else if (field == txtOpCode)
        codeEntered();
    else if (field == txtOpQuantity)
        ExecuteCommand();
    else
        return false;
    return true;
}

// A scanned ID (or the settle-all ID) runs at once; a typed one is tidied and the code
// asked for, offered as the ID suggests.
void frmOpRent::itemEntered() {
    if (m_commandLine.itemEnter(txtOpItemID->text()) == ItemEnter::Run) {
        ExecuteCommand();
        return;
    }
    txtOpItemID->setText(FormatItemID(txtOpItemID->text()));
    txtOpCode->setText(
        m_commandLine.presetCode(txtOpItemID->text(), m_visit.NewOrder(), txtOpCode->text()));
    txtOpCode->setFocus();
    SelectAllText(txtOpCode);
}

// A sale asks for the number of pieces; a rental from here is always for one unit.
void frmOpRent::codeEntered() {
    switch (m_commandLine.codeEnter(txtOpCode->text())) {
    case CodeEnter::MoveToQuantity:
        txtOpQuantity->setFocus();
        return;
    case CodeEnter::RunOneUnit:
        txtOpQuantity->setText(OneUnit);
        break;
    case CodeEnter::Run:
        break;
    }
    ExecuteCommand();
}

void frmOpRent::pageKey(QTableWidget& grid, bool up) {
    SetTopRow(grid, PagedTopRow(TopRow(grid), grid.rowCount() + 1, up));
}

void frmOpRent::focusMoved(QWidget* old, QWidget* now) {
    if (!now || now->window() != this)
        return;
    if (old == txtOpItemID)
        txtOpItemID->setText(FormatItemID(txtOpItemID->text()));
    if (now == txtOpQuantity) {
        txtOpQuantity->setText(OneUnit);
        SelectAllText(txtOpQuantity);
    } else if (now == txtOpCode || now == txtOpItemID) {
        SelectAllText(static_cast<QLineEdit*>(now));
    }
}
