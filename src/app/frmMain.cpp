#include "frmMain.h"

#include "AppContext.h"
#include "Connection.h"
#include "HourglassGuard.h"
#include "KeyPreview.h"
#include "Screens.h"
#include "StatusClock.h"
#include "compaction.h"
#include "formutil.h"
#include "frmAbout.h"
#include "lookup.h"
#include "utility.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace {

QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

QAction* addEntry(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QFormLayout* newPageLayout(QWidget* page) {
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignRight);
    return form;
}

} // namespace

frmMain::frmMain(AppContext& ctx, Screens& screens, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_screens(screens),
      m_search(std::make_unique<MainSearch>(ctx, screens, *this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vormel (") + ctx.ShopName + QLatin1Char(')'));
    setupPages();
    setupToolbar();
    setupMenus();
    setupStatusBar();
    setupSearches();
    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
    setCurrentTab(TransactionPage);
    resize(640, 360);
}

// Focus and page signals still fire while the window's parts are torn down; by then this
// window must no longer answer them.
frmMain::~frmMain() {
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(SSTabMain, nullptr, this, nullptr);
}

int frmMain::CurrentTab() const {
    return SSTabMain->currentIndex();
}

void frmMain::setCurrentTab(int page) {
    if (page < 0 || page >= MainPageCount)
        return;
    {
        // Selecting the page by code must not call back into here.
        const QSignalBlocker quiet(SSTabMain);
        SSTabMain->setCurrentIndex(page);
    }
    txtSearchID[page]->setFocus();
    SelectAllText(txtSearchID[page]);
}

void frmMain::setupPages() {
    SSTabMain = new QTabWidget(this);
    SSTabMain->setObjectName(QStringLiteral("SSTabMain"));
    SSTabMain->addTab(setupTransactionPage(), QStringLiteral("Transaction"));
    SSTabMain->addTab(setupCustomerPage(), QStringLiteral("Customer"));
    SSTabMain->addTab(setupProductPage(), QStringLiteral("Product"));
    SSTabMain->addTab(setupAdjustmentPage(), QStringLiteral("Acct Adjust"));
    connect(SSTabMain, &QTabWidget::currentChanged, this, &frmMain::setCurrentTab);
    setCentralWidget(SSTabMain);
}

QWidget* frmMain::setupTransactionPage() {
    return setupMemberSearch(
        TransactionPage, {QStringLiteral("Item / Cust. ID:"), QStringLiteral("Cust. I.D. Num:"),
                          QStringLiteral("Cust. Name (L):"), QStringLiteral("Cust. Name (E):")});
}

QWidget* frmMain::setupCustomerPage() {
    return setupMemberSearch(
        CustomerPage, {QStringLiteral("Cust. ID:"), QStringLiteral("I.D. Num:"),
                       QStringLiteral("Cust. Name (L):"), QStringLiteral("Cust. Name (E):")});
}

// Pages 0 and 1 search members the same four ways; only their labels differ.
QWidget* frmMain::setupMemberSearch(int page, const std::array<QString, 4>& labels) {
    auto* widget = new QWidget;
    QFormLayout* form = newPageLayout(widget);
    txtSearchID[page] = addSearchBox(*form, labels[0], QStringLiteral("txtSearchID"), page);
    txtSearchHKID[page] = addSearchBox(*form, labels[1], QStringLiteral("txtSearchHKID"), page);
    txtSearchChiName[page] =
        addSearchBox(*form, labels[2], QStringLiteral("txtSearchChiName"), page);
    txtSearchEngName[page] =
        addSearchBox(*form, labels[3], QStringLiteral("txtSearchEngName"), page);
    return widget;
}

QWidget* frmMain::setupProductPage() {
    auto* widget = new QWidget;
    QFormLayout* form = newPageLayout(widget);
    txtSearchID[ProductPage] =
        addSearchBox(*form, QStringLiteral("Item ID:"), QStringLiteral("txtSearchID"), ProductPage);
    txtSearchChiName[ProductPage] = addSearchBox(*form, QStringLiteral("Title:"),
                                                 QStringLiteral("txtSearchChiName"), ProductPage);
    form->addRow(QStringLiteral("RateCode:"), setupCategoryBox());
    return widget;
}

// The rate code box only shows a code's description; it does not search.
QWidget* frmMain::setupCategoryBox() {
    auto* row = new QWidget;
    cboCategoryID = new QComboBox(row);
    cboCategoryID->setObjectName(QStringLiteral("cboCategoryID"));
    cboCategoryID->setEditable(true);
    cboCategoryID->setInsertPolicy(QComboBox::NoInsert);
    cboCategoryID->setMinimumContentsLength(6);
    cboCategoryID->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    txtCategoryDesc = new QLineEdit(row);
    txtCategoryDesc->setObjectName(QStringLiteral("txtCategoryDesc"));
    txtCategoryDesc->setReadOnly(true);
    txtCategoryDesc->setFocusPolicy(Qt::NoFocus);
    // Shown on the window's own colour so it does not look like a box to type in.
    QPalette shown = txtCategoryDesc->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    txtCategoryDesc->setPalette(shown);
    txtCategoryDesc->setMinimumWidth(200);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cboCategoryID);
    layout->addWidget(txtCategoryDesc);

    connect(cboCategoryID, &QComboBox::activated, this, &frmMain::showCategoryDescription);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (old == cboCategoryID)
            showCategoryDescription();
    });
    fillCategories();
    return row;
}

void frmMain::fillCategories() {
    const QString typed = cboCategoryID->currentText();
    cboCategoryID->clear();
    for (const CategoryRec& category : m_ctx.CategoryList)
        cboCategoryID->addItem(category.CategoryID);
    cboCategoryID->setCurrentIndex(-1);
    cboCategoryID->setEditText(typed);
    showCategoryDescription();
}

void frmMain::reloadCategories() {
    fillCategories();
}

QWidget* frmMain::setupAdjustmentPage() {
    auto* widget = new QWidget;
    QFormLayout* form = newPageLayout(widget);
    txtSearchID[AdjustmentPage] = addSearchBox(*form, QStringLiteral("Adj. ID:"),
                                               QStringLiteral("txtSearchID"), AdjustmentPage);
    txtSearchChiName[AdjustmentPage] = addSearchBox(
        *form, QStringLiteral("Name:"), QStringLiteral("txtSearchChiName"), AdjustmentPage);

    auto* buttons = new QWidget(widget);
    cmdAdd = new QPushButton(QStringLiteral("Add (&A)"), buttons);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdEdit = new QPushButton(QStringLiteral("Edit (&E)"), buttons);
    cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    auto* layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdAdd);
    layout->addWidget(cmdEdit);
    form->addRow(QString(), buttons);
    return widget;
}

// One box of a search page; boxes of the same kind are told apart by their page number.
QLineEdit* frmMain::addSearchBox(QFormLayout& form, const QString& label, const QString& name,
                                 int page) {
    auto* box = new QLineEdit;
    box->setObjectName(name + QLatin1Char('_') + QString::number(page));
    box->setMinimumWidth(260);
    form.addRow(label, box);
    return box;
}

void frmMain::setupToolbar() {
    struct Button {
        const char* key;
        const char* caption;
        const char* tip;
        int page; // -1: no page of its own
    };
    static const Button buttons[] = {
        {"kTransaction", "Transaction (F1)", "Transaction", TransactionPage},
        {"kCustomer", "Customer (F2)", "Customer", CustomerPage},
        {"kProduct", "Product (F3)", "Product", ProductPage},
        {"kAcctAdjust", "Acct Adjust (F4)", "Accounting Adjustment", AdjustmentPage},
        {"kReport", "Report (F5)", "Report Inquiry", -1},
        {"kSystem", "系統(F6)", "系統維護", -1},
    };
    tbMain = addToolBar(QStringLiteral("tbMain"));
    tbMain->setObjectName(QStringLiteral("tbMain"));
    tbMain->setMovable(false);
    tbMain->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const Button& b : buttons) {
        QAction* action = tbMain->addAction(QString::fromUtf8(b.caption));
        action->setObjectName(QString::fromLatin1(b.key));
        action->setToolTip(QString::fromUtf8(b.tip));
        if (b.page >= 0)
            connect(action, &QAction::triggered, this,
                    [this, page = b.page] { setCurrentTab(page); });
    }
    connect(findChild<QAction*>(QStringLiteral("kReport")), &QAction::triggered, this,
            [this] { m_screens.OpenReport(0); });
}

void frmMain::setupMenus() {
    QMenuBar* bar = menuBar();
    QMenu* control = addMenu(bar, QStringLiteral("mControl"), QStringLiteral("System(&C)"));
    connect(addEntry(control, QStringLiteral("mCategory"), QStringLiteral("Rate Entry")),
            &QAction::triggered, this, [this] { m_screens.OpenCategory(); });
    connect(addEntry(control, QStringLiteral("mCompactDB"), QStringLiteral("Compact DB")),
            &QAction::triggered, this, &frmMain::CompactDatabase);
    connect(addEntry(control, QStringLiteral("mDatabase"), QStringLiteral("Database")),
            &QAction::triggered, this, &frmMain::showDatabase);
    connect(addEntry(control, QStringLiteral("mExit"), QStringLiteral("Exit(&X)")),
            &QAction::triggered, this, &QWidget::close);

    QMenu* entry = addMenu(bar, QStringLiteral("mMain"), QStringLiteral("Data Entry(&D)"));
    const std::pair<const char*, const char*> pages[] = {{"mMainOrder", "Transaction(&T)"},
                                                         {"mMainCustomer", "Customer(&M)"},
                                                         {"mMainProduct", "Product(&P)"},
                                                         {"mAcctAdjust", "Acct Adjust(&A)"}};
    for (int page = 0; page < MainPageCount; ++page) {
        QAction* action = addEntry(entry, QString::fromLatin1(pages[page].first),
                                   QString::fromLatin1(pages[page].second));
        connect(action, &QAction::triggered, this, [this, page] { setCurrentTab(page); });
    }

    setupReportMenu(*bar);

    QMenu* help = addMenu(bar, QStringLiteral("mHelp"), QStringLiteral("Help(&H)"));
    connect(addEntry(help, QStringLiteral("mAbout"), QStringLiteral("About(&A)...")),
            &QAction::triggered, this, &frmMain::showAbout);
}

// The entries open the report inquiry screen on the tab of their kind, 0 to 3.
void frmMain::setupReportMenu(QMenuBar& bar) {
    QMenu* report = addMenu(&bar, QStringLiteral("mReport"), QStringLiteral("Report(&R)"));
    const std::pair<const char*, const char*> kinds[] = {{"mTxDailyRpt", "Accounting(&D)"},
                                                         {"mCustomerRpt", "Customer(&M)"},
                                                         {"mProductRpt", "Product(&P)"},
                                                         {"mRentOSRpt", "Overdue Tran.(&R)"}};
    for (int kind = 0; kind < 4; ++kind) {
        QAction* action = addEntry(report, QString::fromLatin1(kinds[kind].first),
                                   QString::fromLatin1(kinds[kind].second));
        connect(action, &QAction::triggered, this, [this, kind] { m_screens.OpenReport(kind); });
    }
}

void frmMain::setupStatusBar() {
    const StatusPanels panels = FillStatusBar(*statusBar(), m_ctx.clock);
    sbPanel1 = panels.message;
    sbPanel2 = panels.clock;
}

// F1 to F4 switch pages and F5 opens the report inquiry; F6 is kept for a system screen.
bool frmMain::previewKey(QKeyEvent& key) {
    if (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (key.key() == Qt::Key_F5) {
        m_screens.OpenReport(0);
        return true;
    }
    const int page = key.key() - Qt::Key_F1;
    if (page < 0 || page >= MainPageCount)
        return false;
    setCurrentTab(page);
    return true;
}

void frmMain::setupSearches() {
    for (int page = 0; page < MainPageCount; ++page) {
        QLineEdit* id = txtSearchID[page];
        onEnter(id, [this, page, id](const QString& text) {
            id->setText(FormatItemID(text));
            return m_search->searchByID(page, id->text());
        });
        onEnter(txtSearchChiName[page], [this, page](const QString& text) {
            return m_search->searchLocalName(page, text);
        });
    }
    for (int page : {TransactionPage, CustomerPage}) {
        onEnter(txtSearchHKID[page], [this, page](const QString& text) {
            return m_search->searchMembers(page, CustFindBy::HKID, text);
        });
        onEnter(txtSearchEngName[page], [this, page](const QString& text) {
            return m_search->searchMembers(page, CustFindBy::EnglishName, text);
        });
    }
    // Coming into a search box, by any way, selects its text so that typing replaces it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        auto* box = qobject_cast<QLineEdit*>(now);
        if (box && box->window() == this && box->objectName().startsWith(u"txtSearch"))
            SelectAllText(box);
    });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { m_screens.OpenAdjustment({}); });
    connect(cmdEdit, &QPushButton::clicked, this, &frmMain::editAdjustment);
}

// Enter runs the box's search; when nothing opened, the text is selected for the next try.
void frmMain::onEnter(QLineEdit* box, std::function<bool(const QString&)> search) {
    connect(box, &QLineEdit::returnPressed, this, [box, search = std::move(search)] {
        if (search(box->text()))
            return;
        box->setFocus();
        SelectAllText(box);
    });
}

void frmMain::editAdjustment() {
    QLineEdit* box = txtSearchID[AdjustmentPage];
    box->setText(FormatItemID(box->text()));
    if (!box->text().isEmpty() && m_screens.OpenAdjustment(box->text()))
        return;
    box->setFocus();
    SelectAllText(box);
}

void frmMain::screenClosed() {
    m_search->resume(txtSearchID[TransactionPage]->text());
}

void frmMain::showCategoryDescription() {
    txtCategoryDesc->setText(CategoryDescription(m_ctx.CategoryList, cboCategoryID->currentText()));
}

void frmMain::showAbout() {
    frmAbout about(m_ctx.ShopName, this);
    about.exec();
}

void frmMain::showDatabase() {
    m_ctx.messages.show(m_ctx.db.place().describe(), MsgIcon::Information, MsgButtons::Ok,
                        QStringLiteral("Database"));
}

void frmMain::CompactDatabase() {
    const HourglassGuard hourglass;
    sbPanel1->setText(QStringLiteral("Compressing Database! Please wait..."));
    // Painted now: the compaction blocks the window until it is done.
    sbPanel1->repaint();
    CompactShop(m_ctx.db);
}

// Every way of closing the main window ends the program, so a database file is compacted
// first; the clerk cannot cancel it.
void frmMain::closeEvent(QCloseEvent* event) {
    if (CompactsOnClose(m_ctx.db))
        CompactDatabase();
    event->accept();
}
