#pragma once

#include "inquiry.h"

#include <QWidget>

#include <array>

struct AppContext;
class MaskedLineEdit;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
struct Report;

// The report inquiry: the clerk picks a report and its period or range on one of four tabs and
// previews it. It stays open beside the main window across previews; every preview opens a
// window of its own.
class frmRptMain : public QWidget {
    Q_OBJECT

public:
    explicit frmRptMain(AppContext& ctx, QWidget* parent = nullptr);
    ~frmRptMain() override;

    // Shows the screen, not modal, on tab `kind`: 0 the accounting reports, 1 the customer
    // list, 2 the product list, 3 the overdue list.
    void Start(int kind);
    // Selects the tab and puts the cursor where its first value is typed; the accounting tab
    // starts again on a daily period of today.
    void SetTab(int tab);

private:
    // Building the window (frmRptMainSetup.cpp).
    QWidget* setupAccountingTab();
    QWidget* setupReportOptions();
    QWidget* setupPeriod();
    QWidget* setupTimesTab(int index);
    QWidget* setupOverdueTab();
    QWidget* setupButtons();
    QStatusBar* setupStatusBar();

    // Running it (frmRptMain.cpp).
    void choosePeriod(InquiryPeriod period);
    InquiryPeriod period() const;
    AccountingReport accountingReport() const;
    PeriodBoxes periodBoxes() const;
    void showPeriod(const PeriodBoxes& boxes);
    InquiryChoice readChoice() const;
    void Preview();
    void showReport(const Report& report);
    bool previewKey(QKeyEvent& key);
    void focusMoved(QWidget* old, QWidget* now);

    AppContext& m_ctx;

    QTabWidget* SSTabRpt = nullptr;
    QRadioButton* optTypeTx = nullptr;
    QRadioButton* optTypeAccAdjust = nullptr;
    QRadioButton* optTypeSales = nullptr;
    QRadioButton* optTypeRental = nullptr;
    QRadioButton* optTypeRentByTxn = nullptr;
    QRadioButton* optRptDaily = nullptr;
    QRadioButton* optRptMulti = nullptr;
    QRadioButton* optRptMonthly = nullptr;
    MaskedLineEdit* txtRptDate = nullptr;
    MaskedLineEdit* txtRptEndDate = nullptr;
    MaskedLineEdit* txtRptMonthDate = nullptr;
    // Indexed by tab: [1] the customer tab, [2] the product tab.
    std::array<MaskedLineEdit*, 3> txtTimesFrom{};
    std::array<MaskedLineEdit*, 3> txtTimesTo{};
    MaskedLineEdit* txtOSItemEndDate = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QStatusBar* sbMain = nullptr;
    QLabel* sbPanel1 = nullptr;
};
