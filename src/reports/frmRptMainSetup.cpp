#include "frmRptMain.h"

#include "AppContext.h"
#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "StatusClock.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

MaskedLineEdit* maskedBox(const QString& name, const QString& mask) {
    auto* box = new MaskedLineEdit(mask);
    box->setObjectName(name);
    // Room for the mask and a little more, whatever the font.
    box->setFixedWidth(
        box->fontMetrics().horizontalAdvance(QString(mask.size() + 2, QLatin1Char('0'))) + 14);
    return box;
}

QRadioButton* option(const char* name, const char* caption, QLayout& layout) {
    auto* button = new QRadioButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    layout.addWidget(button);
    return button;
}

QLabel* labelFor(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

QPushButton* button(const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    // F12 and Esc work from the keyboard; Enter in a box must not press a button.
    b->setAutoDefault(false);
    b->setMinimumWidth(b->sizeHint().width() + 24);
    return b;
}

} // namespace

frmRptMain::frmRptMain(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmRptMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Report Inquiry"));

    SSTabRpt = new QTabWidget;
    SSTabRpt->setObjectName(QStringLiteral("SSTabRpt"));
    SSTabRpt->addTab(setupAccountingTab(), QStringLiteral("Accounting"));
    SSTabRpt->addTab(setupTimesTab(1), QStringLiteral("Customer"));
    SSTabRpt->addTab(setupTimesTab(2), QStringLiteral("Product"));
    SSTabRpt->addTab(setupOverdueTab(), QStringLiteral("Overdue Tran."));
    connect(SSTabRpt, &QTabWidget::tabBarClicked, this, &frmRptMain::SetTab);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(SSTabRpt, 1);
    layout->addWidget(setupButtons());
    layout->addWidget(setupStatusBar());

    for (int tab : {1, 2}) {
        txtTimesFrom[tab]->setText(QStringLiteral("1   "));
        txtTimesTo[tab]->setText(QStringLiteral("1   "));
    }
    choosePeriod(InquiryPeriod::Daily);
    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
    connect(qApp, &QApplication::focusChanged, this, &frmRptMain::focusMoved);
}

// Focus signals still fire while the window's parts are torn down; by then this window must
// no longer answer them.
frmRptMain::~frmRptMain() {
    disconnect(qApp, nullptr, this, nullptr);
}

QWidget* frmRptMain::setupAccountingTab() {
    auto* tab = new QWidget;
    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(setupReportOptions());
    layout->addWidget(setupPeriod(), 1);
    return tab;
}

QWidget* frmRptMain::setupReportOptions() {
    auto* frame = new QGroupBox(QStringLiteral("Select Report"));
    auto* layout = new QVBoxLayout(frame);
    optTypeTx = option("optTypeTx", "Transaction Summary", *layout);
    optTypeAccAdjust = option("optTypeAccAdjust", "Accounting Adjustment", *layout);
    optTypeSales = option("optTypeSales", "Sales Details", *layout);
    optTypeRental = option("optTypeRental", "Rental Details (By Item)", *layout);
    optTypeRentByTxn = option("optTypeRentByTxn", "Rental Details (By Txn)", *layout);
    layout->addStretch(1);
    optTypeTx->setChecked(true);
    return frame;
}

QWidget* frmRptMain::setupPeriod() {
    auto* frame = new QGroupBox(QStringLiteral("Inquiry Period"));
    auto* layout = new QVBoxLayout(frame);
    optRptDaily = option("optRptDaily", "Daily", *layout);
    optRptMulti = option("optRptMulti", "Range of date", *layout);
    optRptMonthly = option("optRptMonthly", "Monthly", *layout);
    optRptDaily->setChecked(true);
    const QList<std::pair<QRadioButton*, InquiryPeriod>> periods = {
        {optRptDaily, InquiryPeriod::Daily},
        {optRptMulti, InquiryPeriod::Range},
        {optRptMonthly, InquiryPeriod::Monthly}};
    for (const auto& [button, period] : periods)
        connect(button, &QRadioButton::clicked, this, [this, p = period] { choosePeriod(p); });

    txtRptDate = maskedBox(QStringLiteral("txtRptDate"), QStringLiteral("99/99/9999"));
    txtRptEndDate = maskedBox(QStringLiteral("txtRptEndDate"), QStringLiteral("99/99/9999"));
    txtRptMonthDate = maskedBox(QStringLiteral("txtRptMonthDate"), QStringLiteral("99/9999"));
    auto* boxes = new QGridLayout;
    boxes->addWidget(labelFor("Date:", txtRptDate), 0, 0);
    boxes->addWidget(txtRptDate, 0, 1);
    boxes->addWidget(new QLabel(QStringLiteral("To")), 0, 2);
    boxes->addWidget(txtRptEndDate, 0, 3);
    boxes->addWidget(labelFor("Month:", txtRptMonthDate), 1, 0);
    boxes->addWidget(txtRptMonthDate, 1, 1);
    boxes->setColumnStretch(4, 1);
    layout->addSpacing(6);
    layout->addLayout(boxes);
    layout->addStretch(1);
    return frame;
}

QWidget* frmRptMain::setupTimesTab(int index) {
    txtTimesFrom[index] =
        maskedBox(QStringLiteral("txtTimesFrom_%1").arg(index), QStringLiteral("9999"));
    txtTimesTo[index] =
        maskedBox(QStringLiteral("txtTimesTo_%1").arg(index), QStringLiteral("9999"));
    auto* tab = new QWidget;
    auto* layout = new QGridLayout(tab);
    layout->addWidget(labelFor("Rental Times:", txtTimesFrom[index]), 0, 0);
    layout->addWidget(txtTimesFrom[index], 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("To")), 0, 2);
    layout->addWidget(txtTimesTo[index], 0, 3);
    layout->setColumnStretch(4, 1);
    layout->setRowStretch(1, 1);
    return tab;
}

QWidget* frmRptMain::setupOverdueTab() {
    txtOSItemEndDate = maskedBox(QStringLiteral("txtOSItemEndDate"), QStringLiteral("99/99/9999"));
    auto* tab = new QWidget;
    auto* layout = new QGridLayout(tab);
    layout->addWidget(labelFor("Due date is", txtOSItemEndDate), 0, 0);
    layout->addWidget(txtOSItemEndDate, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("or before")), 0, 2);
    layout->setColumnStretch(3, 1);
    layout->setRowStretch(1, 1);
    return tab;
}

QWidget* frmRptMain::setupButtons() {
    cmdSave = button("cmdSave", "Preview (F12)");
    cmdCancel = button("cmdCancel", "Cancel (Esc)");
    connect(cmdSave, &QPushButton::clicked, this, &frmRptMain::Preview);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->addStretch(1);
    layout->addWidget(cmdSave);
    layout->addWidget(cmdCancel);
    return row;
}

QStatusBar* frmRptMain::setupStatusBar() {
    sbMain = new QStatusBar;
    sbPanel1 = FillStatusBar(*sbMain, m_ctx.clock).message;
    return sbMain;
}
