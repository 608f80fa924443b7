#include "frmOpRent.h"

#include "AppContext.h"
#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "RentGrids.h"
#include "StatusClock.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A box the screen fills and the clerk only reads: out of the Tab order.
QLineEdit* shownBox(const char* name) {
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

// A box just wide enough for `sample`, its numbers to the right.
void fitTo(QLineEdit* box, const char* sample) {
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString::fromLatin1(sample)) + 14);
    box->setAlignment(Qt::AlignRight);
}

QLineEdit* commandBox(QLineEdit* box, const char* name, int characters) {
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('W'))) +
                       14);
    return box;
}

QLabel* labelFor(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

QTableWidget* newGrid(const char* name) {
    auto* grid = new QTableWidget;
    grid->setObjectName(QString::fromLatin1(name));
    return grid;
}

} // namespace

frmOpRent::frmOpRent(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_visit(ctx.db, ctx.clock, ctx.OpCodes, ctx.CurrentEmployeeID),
      m_commandLine(ctx.clock, ctx.OpCodes) {
    setObjectName(QStringLiteral("frmOpRent"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Transaction Operation"));

    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(setupCommandLine());
    left->addWidget(setupGrids(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(setupTotals());
    right->addStretch(1);
    right->addWidget(setupButtons());
    body->addLayout(left, 1);
    body->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addWidget(setupCustomerPanel());
    layout->addLayout(body, 1);
    layout->addWidget(setupStatusBar());

    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
    connect(qApp, &QApplication::focusChanged, this, &frmOpRent::focusMoved);
    resize(1010, 700);
}

// Focus signals still fire while the window's parts are torn down; by then this window must
// no longer answer them.
frmOpRent::~frmOpRent() {
    disconnect(qApp, nullptr, this, nullptr);
}

QLineEdit* frmOpRent::addField(QGridLayout& layout, const char* label, const char* name, int row,
                               int column, int span) {
    QLineEdit* box = shownBox(name);
    layout.addWidget(labelFor(label, box), row, column, Qt::AlignRight);
    layout.addWidget(box, row, column + 1, 1, span);
    return box;
}

QWidget* frmOpRent::setupCustomerPanel() {
    auto* panel = new QGroupBox(QStringLiteral("Customer"));
    auto* grid = new QGridLayout(panel);
    txtCustomerID = addField(*grid, "Cust. ID:", "txtCustomerID", 0, 0);
    txtHKID = addField(*grid, "I.D. Num:", "txtHKID", 0, 2);
    txtSex = addField(*grid, "Sex:", "txtSex", 0, 4);
    txtBirthDate = addField(*grid, "Birth Date:", "txtBirthDate", 0, 6);
    txtChineseName = addField(*grid, "Name (L):", "txtChineseName", 1, 0, 3);
    txtEnglishName = addField(*grid, "Name (E):", "txtEnglishName", 1, 4, 3);
    txtPhone1 = addField(*grid, "Phone 1:", "txtPhone1", 2, 0);
    txtPhone2 = addField(*grid, "Phone 2:", "txtPhone2", 2, 2);
    txtPhone3 = addField(*grid, "Phone 3:", "txtPhone3", 2, 4);
    txtLastRentDate = addField(*grid, "Last Rent:", "txtLastRentDate", 2, 6);
    txtRemarks1 = addField(*grid, "Remarks:", "txtRemarks1", 3, 0, 3);
    txtRemarks2 = addField(*grid, "", "txtRemarks2", 3, 4, 3);
    txtStatRent = addField(*grid, "Rent:", "txtStatRent", 4, 0);
    txtStatGood = addField(*grid, "Good:", "txtStatGood", 4, 2);
    txtStatLate = addField(*grid, "Late:", "txtStatLate", 4, 4);
    txtStatBad = addField(*grid, "Bad:", "txtStatBad", 4, 6);
    txtBuyCount = addField(*grid, "Buy:", "txtBuyCount", 5, 0);

    lblWarnMessage = new QLabel;
    lblWarnMessage->setObjectName(QStringLiteral("lblWarnMessage"));
    // The warnings block nothing, so they must be hard to overlook.
    lblWarnMessage->setStyleSheet(QStringLiteral("color: #FF0000; font-weight: bold;"));
    grid->addWidget(lblWarnMessage, 5, 2, 1, 6);
    return panel;
}

QString frmOpRent::legend() const {
    const OpCodeRec& c = m_ctx.OpCodes;
    return c.AddItem + QStringLiteral(" : Add, ") + c.FreeItem + QStringLiteral(" : Free, ") +
           c.DeleteItem + QStringLiteral(" : Delete, ") + c.ReturnItem +
           QStringLiteral(" : Return, ") + c.RenewItemCash + QStringLiteral(" : Renew (Cash), ") +
           c.RenewItemArrears + QStringLiteral(" : Renew (Arrears), ") + c.SalesItem +
           QStringLiteral(" : Sale");
}

QWidget* frmOpRent::setupCommandLine() {
    txtOpCode = commandBox(new QLineEdit, "txtOpCode", 4);
    txtOpCode->setToolTip(legend());
    txtOpItemID = commandBox(new QLineEdit, "txtOpItemID", 8);
    txtOpQuantity = new MaskedLineEdit(QStringLiteral("99"), QLatin1Char('_'));
    commandBox(txtOpQuantity, "txtOpQuantity", 2);

    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(labelFor("Cmd:", txtOpCode));
    layout->addWidget(txtOpCode);
    layout->addSpacing(12);
    layout->addWidget(labelFor("Item ID:", txtOpItemID));
    layout->addWidget(txtOpItemID);
    layout->addSpacing(12);
    layout->addWidget(labelFor("Qty:", txtOpQuantity));
    layout->addWidget(txtOpQuantity);
    layout->addStretch(1);
    setTabOrder(txtOpCode, txtOpItemID);
    setTabOrder(txtOpItemID, txtOpQuantity);
    return row;
}

QWidget* frmOpRent::setupGrids() {
    msgRentItems = newGrid("msgRentItems");
    SetupRentGrid(*msgRentItems);
    RestoreColumnWidths(*msgRentItems, m_ctx.settings);
    msgReturnItems = newGrid("msgReturnItems");
    SetupReturnGrid(*msgReturnItems);
    RestoreColumnWidths(*msgReturnItems, m_ctx.settings);
    for (QTableWidget* grid : {msgRentItems, msgReturnItems})
        grid->setMinimumWidth(FullWidth(*grid));

    auto* lists = new QWidget;
    auto* layout = new QVBoxLayout(lists);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Rental Items (Page Up / Page Down)")));
    layout->addWidget(msgRentItems, 3);
    layout->addWidget(new QLabel(QStringLiteral("Returned Items (Ctrl + Page Up / Page Down)")));
    layout->addWidget(msgReturnItems, 1);
    return lists;
}

// Counts beside their amounts, one kind of work a row; the total under them all.
QWidget* frmOpRent::setupTotals() {
    struct Row {
        const char* label;
        QLineEdit** count;
        const char* countName;
        QLineEdit** amount;
        const char* amountName;
    };
    const Row rows[] = {
        {"On loan:", &txtSumExistRent, "txtSumExistRent", nullptr, nullptr},
        {"New rent:", &txtSumNewRent, "txtSumNewRent", &txtSumNewAmt, "txtSumNewAmt"},
        {"Renew:", &txtSumRenew, "txtSumRenew", &txtSumRenewAmt, "txtSumRenewAmt"},
        {"Return:", &txtSumReturn, "txtSumReturn", &txtSumReturnAmt, "txtSumReturnAmt"},
        {"Sales:", &txtSumSales, "txtSumSales", &txtSumSalesAmt, "txtSumSalesAmt"},
        {"Late:", nullptr, nullptr, &txtSumLateAmt, "txtSumLateAmt"},
        {"Settle O/S:", nullptr, nullptr, &txtSumSettleAllOSAmt, "txtSumSettleAllOSAmt"},
        {"Total:", nullptr, nullptr, &txtSumTotalAmt, "txtSumTotalAmt"},
    };
    auto* box = new QGroupBox(QStringLiteral("Totals"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Qty")), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("Amount")), 0, 2, Qt::AlignHCenter);
    int line = 1;
    for (const Row& row : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(row.label)), line, 0, Qt::AlignRight);
        if (row.count) {
            *row.count = shownBox(row.countName);
            fitTo(*row.count, "000");
            grid->addWidget(*row.count, line, 1);
        }
        if (row.amount) {
            *row.amount = shownBox(row.amountName);
            grid->addWidget(*row.amount, line, 2);
        }
        ++line;
    }
    QFont bold = txtSumTotalAmt->font();
    bold.setBold(true);
    txtSumTotalAmt->setFont(bold);
    // Sized after the total turns bold, so a seven-digit amount shows whole in every box.
    for (const Row& row : rows) {
        if (row.amount)
            fitTo(*row.amount, "7,777,777.00");
    }
    return box;
}

QWidget* frmOpRent::setupButtons() {
    cmdSaveOrder = new QPushButton(QStringLiteral("Save (F12)"));
    cmdSaveOrder->setObjectName(QStringLiteral("cmdSaveOrder"));
    cmdPrintRecipt = new QPushButton(QStringLiteral("Print (F8)"));
    cmdPrintRecipt->setObjectName(QStringLiteral("cmdPrintRecipt"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel (Esc)"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdSaveOrder, &QPushButton::clicked, this, &frmOpRent::SaveOrder);
    connect(cmdPrintRecipt, &QPushButton::clicked, this, &frmOpRent::PrintReceipt);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QWidget;
    auto* layout = new QVBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {cmdSaveOrder, cmdPrintRecipt, cmdCancel}) {
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
        layout->addWidget(button);
    }
    return buttons;
}

QWidget* frmOpRent::setupStatusBar() {
    auto* bar = new QStatusBar;
    FillStatusBar(*bar, m_ctx.clock);
    return bar;
}
