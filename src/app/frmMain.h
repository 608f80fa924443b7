#pragma once

#include <QMainWindow>

#include <array>

struct AppContext;
class QComboBox;
class QFormLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolBar;

// The home screen: one search page per kind of work, a toolbar and menus that switch pages and
// open the other screens, and a status bar with a message panel and the clock. Closing it
// compacts the database.
class frmMain : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(int CurrentTab READ CurrentTab WRITE setCurrentTab)

public:
    enum Page { TransactionPage, CustomerPage, ProductPage, AdjustmentPage, PageCount };

    explicit frmMain(AppContext& ctx, QWidget* parent = nullptr);
    ~frmMain() override;

    int CurrentTab() const;
    // Selects the page and puts the cursor in its ID box with the text selected.
    void setCurrentTab(int page);

    // Compacts the database behind the hourglass, saying so in the status bar.
    void CompactDatabase();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setupPages();
    QWidget* setupTransactionPage();
    QWidget* setupCustomerPage();
    QWidget* setupProductPage();
    QWidget* setupAdjustmentPage();
    QWidget* setupMemberSearch(int page, const std::array<QString, 4>& labels);
    QLineEdit* addSearchBox(QFormLayout& form, const QString& label, const QString& name, int page);
    QWidget* setupCategoryBox();
    void setupToolbar();
    void setupMenus();
    void setupStatusBar();

    bool previewKey(QKeyEvent& key);
    void showCategoryDescription();
    void showAbout();

    AppContext& m_ctx;

    QTabWidget* SSTabMain = nullptr;
    // Search boxes by page number; identity number and English name exist on pages 0 and 1.
    std::array<QLineEdit*, PageCount> txtSearchID{};
    std::array<QLineEdit*, PageCount> txtSearchChiName{};
    std::array<QLineEdit*, 2> txtSearchHKID{};
    std::array<QLineEdit*, 2> txtSearchEngName{};
    QComboBox* cboCategoryID = nullptr;
    QLineEdit* txtCategoryDesc = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QToolBar* tbMain = nullptr;
    QLabel* sbPanel1 = nullptr;
    QLabel* sbPanel2 = nullptr;
};
