#pragma once

#include <QWidget>

struct AppContext;
class CategoryGrid;
class CategoryModel;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QPushButton;
class QStatusBar;

// The rate table: one row per rental category, edited in place and stored row by row. Closing
// it reloads the program's category list, which the counter and the product form go by.
class frmCategory : public QWidget {
    Q_OBJECT

public:
    explicit frmCategory(AppContext& ctx, QWidget* parent = nullptr);

Q_SIGNALS:
    // The program's category list was read again.
    void categoriesChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setupGrid();
    QWidget* setupButtons();
    QStatusBar* setupStatusBar();

    bool previewKey(QKeyEvent& key);
    void addCategory();
    void deleteCategory();
    void save();
    bool storeAndReload();

    AppContext& m_ctx;

    CategoryModel* AdoCategory = nullptr;
    CategoryGrid* dgdCategory = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdSave = nullptr;
    QStatusBar* sbMain = nullptr;
};
