#pragma once

#include "CommandLine.h"
#include "Visit.h"

#include <QWidget>

struct AppContext;
class MaskedLineEdit;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct Receipt;

// The counter screen of one member's visit: the member, the open rental lines, the items
// handed back, running totals, and a command line of code, item ID and quantity. Every
// command goes to the visit; the screen shows what the visit holds and the boxes it asks for.
class frmOpRent : public QWidget {
    Q_OBJECT

public:
    explicit frmOpRent(AppContext& ctx, QWidget* parent = nullptr);
    ~frmOpRent() override;

    // Opens the visit of a member number, or of the member who has the item out. False,
    // after the visit's own boxes, when it cannot be opened; nothing is shown then.
    bool Start(const QString& key);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Building the window (frmOpRentSetup.cpp).
    QWidget* setupCustomerPanel();
    QWidget* setupCommandLine();
    QWidget* setupGrids();
    QWidget* setupTotals();
    QWidget* setupButtons();
    QWidget* setupStatusBar();
    QLineEdit* addField(QGridLayout& layout, const char* label, const char* name, int row,
                        int column, int span = 1);
    QString legend() const;

    // Running the visit (frmOpRent.cpp).
    void showCustomer();
    void showLines(const QList<OrderLine>& before);
    void UpdateTotals();
    void ResetCommandLine();
    void ExecuteCommand();
    void showNotices(const Outcome& outcome);
    void SaveOrder();
    Receipt receipt() const;
    void PrintReceipt();
    void offerReceipt(const Receipt& entered);
    bool previewKey(QKeyEvent& key);
    bool enterKey();
    void itemEntered();
    void codeEntered();
    void pageKey(QTableWidget& grid, bool up);
    void focusMoved(QWidget* old, QWidget* now);

    AppContext& m_ctx;
    Visit m_visit;
    CommandLine m_commandLine;

    QLineEdit* txtCustomerID = nullptr;
    QLineEdit* txtHKID = nullptr;
    QLineEdit* txtChineseName = nullptr;
    QLineEdit* txtEnglishName = nullptr;
    QLineEdit* txtBirthDate = nullptr;
    QLineEdit* txtSex = nullptr;
    QLineEdit* txtPhone1 = nullptr;
    QLineEdit* txtPhone2 = nullptr;
    QLineEdit* txtPhone3 = nullptr;
    QLineEdit* txtRemarks1 = nullptr;
    QLineEdit* txtRemarks2 = nullptr;
    QLineEdit* txtStatRent = nullptr;
    QLineEdit* txtStatGood = nullptr;
    QLineEdit* txtStatLate = nullptr;
    QLineEdit* txtStatBad = nullptr;
    QLineEdit* txtBuyCount = nullptr;
    QLineEdit* txtLastRentDate = nullptr;
    QLabel* lblWarnMessage = nullptr;

    QLineEdit* txtOpCode = nullptr;
    QLineEdit* txtOpItemID = nullptr;
    MaskedLineEdit* txtOpQuantity = nullptr;

    QTableWidget* msgRentItems = nullptr;
    QTableWidget* msgReturnItems = nullptr;

    QLineEdit* txtSumExistRent = nullptr;
    QLineEdit* txtSumNewRent = nullptr;
    QLineEdit* txtSumRenew = nullptr;
    QLineEdit* txtSumReturn = nullptr;
    QLineEdit* txtSumSales = nullptr;
    QLineEdit* txtSumNewAmt = nullptr;
    QLineEdit* txtSumRenewAmt = nullptr;
    QLineEdit* txtSumReturnAmt = nullptr;
    QLineEdit* txtSumLateAmt = nullptr;
    QLineEdit* txtSumSettleAllOSAmt = nullptr;
    QLineEdit* txtSumSalesAmt = nullptr;
    QLineEdit* txtSumTotalAmt = nullptr;

    QPushButton* cmdSaveOrder = nullptr;
    QPushButton* cmdPrintRecipt = nullptr;
    QPushButton* cmdCancel = nullptr;
};
