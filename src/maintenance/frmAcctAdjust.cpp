#include "frmAcctAdjust.h"

#include "AppContext.h"
#include "Clock.h"
#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "StatusClock.h"
#include "formutil.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("Accounting Adjustment");

QPushButton* newButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Clicked with the mouse; from the keyboard F12 and Esc do the work.
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmAcctAdjust::frmAcctAdjust(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmAcctAdjust"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Caption);
    setupFields();
    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
}

void frmAcctAdjust::setupFields() {
    auto* fields = new QWidget(this);
    auto* form = new QFormLayout(fields);
    form->setLabelAlignment(Qt::AlignRight);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    txtAdjustID = addBox(*form, QStringLiteral("Adj. ID:"), QStringLiteral("txtAdjustID"));
    // The number comes from the counter; typing another could rewrite someone else's row.
    txtAdjustID->setReadOnly(true);
    txtAdjustID->setFocusPolicy(Qt::NoFocus);
    QPalette shown = txtAdjustID->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    txtAdjustID->setPalette(shown);
    txtDescription = addBox(*form, QStringLiteral("Reason:"), QStringLiteral("txtDescription"));
    txtDescription->setMinimumWidth(320);
    txtAdjustAmt = addBox(*form, QStringLiteral("Amount $ "), QStringLiteral("txtAdjustAmt"));
    txtAdjustAmt->setAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Tran. Date:"), setupDateRow());
    txtOrderID = addBox(*form, QStringLiteral("OrderID:"), QStringLiteral("txtOrderID"));
    txtReceiptNum = addBox(*form, QStringLiteral("ReceiptNum:"), QStringLiteral("txtReceiptNum"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields);
    layout->addStretch();
    layout->addWidget(setupButtons());
    layout->addWidget(setupStatusBar());
    setTabOrder(txtDescription, txtAdjustAmt);
    setTabOrder(txtAdjustAmt, txtAdjustDate);
    setTabOrder(txtAdjustDate, txtOrderID);
    setTabOrder(txtOrderID, txtReceiptNum);
}

QLineEdit* frmAcctAdjust::addBox(QFormLayout& form, const QString& label, const QString& name) {
    auto* box = new QLineEdit(form.parentWidget());
    box->setObjectName(name);
    box->setMinimumWidth(140);
    form.addRow(label, box);
    return box;
}

QWidget* frmAcctAdjust::setupDateRow() {
    auto* row = new QWidget(this);
    txtAdjustDate = new MaskedLineEdit(QStringLiteral("99/99/9999"), QLatin1Char(' '), row);
    txtAdjustDate->setObjectName(QStringLiteral("txtAdjustDate"));
    txtAdjustDate->setFixedWidth(
        txtAdjustDate->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtAdjustDate);
    layout->addWidget(new QLabel(QStringLiteral("(DD/MM/YYYY)"), row));
    layout->addStretch();
    return row;
}

QWidget* frmAcctAdjust::setupButtons() {
    auto* row = new QWidget(this);
    cmdSave = newButton(row, QStringLiteral("cmdSave"), QStringLiteral("Save (F12)"));
    cmdCancel = newButton(row, QStringLiteral("cmdCancel"), QStringLiteral("Cancel (Esc)"));
    cmdDelete = newButton(row, QStringLiteral("cmdDelete"), QStringLiteral("Delete"));
    connect(cmdSave, &QPushButton::clicked, this, &frmAcctAdjust::save);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAcctAdjust::cancel);
    connect(cmdDelete, &QPushButton::clicked, this, &frmAcctAdjust::deleteAdjustment);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdDelete);
    layout->addStretch();
    layout->addWidget(cmdSave);
    layout->addWidget(cmdCancel);
    return row;
}

QStatusBar* frmAcctAdjust::setupStatusBar() {
    sbMain = new QStatusBar(this);
    FillStatusBar(*sbMain, m_ctx.clock);
    return sbMain;
}

bool frmAcctAdjust::Start(const QString& key) {
    auto draft =
        LoadAdjustment(m_ctx.db, m_ctx.messages, m_ctx.clock, m_ctx.CurrentEmployeeID, key);
    if (!draft)
        return false;
    m_draft = *draft;
    showEntry();
    setWindowTitle(Caption +
                   (m_draft.isNew ? QStringLiteral(" (New) ") : QStringLiteral(" (Update) ")));
    txtDescription->setFocus();
    return true;
}

void frmAcctAdjust::showEntry() {
    const AdjustEntry entry = EntryFromRecord(m_draft.rec, m_draft.isNew);
    txtAdjustID->setText(entry.AdjustID);
    txtDescription->setText(entry.Description);
    txtAdjustAmt->setText(entry.AdjustAmt);
    txtAdjustDate->setText(entry.AdjustDate);
    txtOrderID->setText(entry.OrderID);
    txtReceiptNum->setText(entry.ReceiptNum);
}

AdjustEntry frmAcctAdjust::readEntry() const {
    return {txtAdjustID->text(),   txtDescription->text(), txtAdjustAmt->text(),
            txtAdjustDate->text(), txtOrderID->text(),     txtReceiptNum->text()};
}

bool frmAcctAdjust::previewKey(QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    const bool plain =
        !(key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if (key.key() == Qt::Key_F12 && plain) {
        save();
        return true;
    }
    return false;
}

void frmAcctAdjust::save() {
    const AdjustEntry entry = readEntry();
    const QString problem = AdjustmentProblem(m_ctx.db, entry, m_draft.isNew, m_ctx.clock.today());
    if (!problem.isEmpty()) {
        m_ctx.messages.show(problem, MsgIcon::Exclamation);
        return;
    }
    ApplyEntry(entry, m_ctx.CurrentEmployeeID, m_draft.rec);
    if (SaveAdjustment(m_ctx.db, m_ctx.messages, m_ctx.clock, m_draft))
        leave();
}

void frmAcctAdjust::deleteAdjustment() {
    if (ConfirmDeleteAdjustment(m_ctx.db, m_ctx.messages, m_draft.rec))
        leave();
}

// Saved or deleted: nothing is left to lose, so the discard question is answered already.
void frmAcctAdjust::leave() {
    m_ctx.DiscardAnswer = AnswerYes;
    m_leaving = true;
    close();
}

void frmAcctAdjust::cancel() {
    // A Yes closes the form from inside the question.
    m_leaving = true;
    ConfirmDiscard(m_ctx.messages, *this, true, m_ctx.DiscardAnswer);
    m_leaving = m_ctx.DiscardAnswer == AnswerYes;
}

// The title bar's close button asks like Cancel does. Inside this close the question's own
// close() is ignored, so its answer decides here whether this close goes through.
void frmAcctAdjust::closeEvent(QCloseEvent* event) {
    if (!m_leaving) {
        ConfirmDiscard(m_ctx.messages, *this, true, m_ctx.DiscardAnswer);
        m_leaving = m_ctx.DiscardAnswer == AnswerYes;
    }
    event->setAccepted(m_leaving);
}
