#pragma once

#include "MainSearch.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

struct AppContext;
class Screens;
class QComboBox;
class QFormLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QToolBar;

// The home screen: one search page per kind of work, a toolbar and menus that switch pages and
// open the other screens, and a status bar with a message panel and the clock. Enter in a
// search box finds the record and opens its screen through `screens`. Closing it compacts a
// database file.
class frmMain : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(int CurrentTab READ CurrentTab WRITE setCurrentTab)

public:
    frmMain(AppContext& ctx, Screens& screens, QWidget* parent = nullptr);
    ~frmMain() override;

    int CurrentTab() const;
    // Selects the page and puts the cursor in its ID box with the text selected.
    void setCurrentTab(int page);

    // Compacts the database behind the hourglass, saying so in the status bar.
    void CompactDatabase();

public Q_SLOTS:
    // The opener calls this each time a screen it opened from here has gone: a new member's
    // visit follows the member's form, and a pending selection list comes back.
    void screenClosed();
    // Refills the rate code box after the categories changed.
    void reloadCategories();

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
    void fillCategories();
    void setupToolbar();
    void setupMenus();
    void setupReportMenu(QMenuBar& bar);
    void setupStatusBar();
    void setupSearches();
    void onEnter(QLineEdit* box, std::function<bool(const QString&)> search);

    bool previewKey(QKeyEvent& key);
    void editAdjustment();
    void showCategoryDescription();
    void showAbout();
    // Where the shop's data is, for the clerk to read.
    void showDatabase();

    AppContext& m_ctx;
    Screens& m_screens;
    std::unique_ptr<MainSearch> m_search;

    QTabWidget* SSTabMain = nullptr;
    // Search boxes by page number; identity number and English name exist on pages 0 and 1.
    std::array<QLineEdit*, MainPageCount> txtSearchID{};
    std::array<QLineEdit*, MainPageCount> txtSearchChiName{};
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
