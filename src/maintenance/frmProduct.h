#pragma once

#include "producteditor.h"

#include <QWidget>

struct AppContext;
class MaskedLineEdit;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

// One title and its copies. The copies are edited in a list in memory; Save writes the
// product and every pending copy change at once. Opened by Start with an item ID: a stored
// copy opens its product, any other ID a new product whose first copy gets that ID.
class frmProduct : public QWidget {
    Q_OBJECT

public:
    explicit frmProduct(AppContext& ctx, QWidget* parent = nullptr);
    ~frmProduct() override;

    // Loads without showing anything; false after its message when the key is refused.
    bool Start(const QString& key);

private:
    void setupProductFields();
    QLayout* setupFieldGrid();
    QWidget* setupCategoryBox();
    QWidget* setupItemDetails();
    QWidget* setupItemButtons();
    void setupItemList();
    QWidget* setupCommandButtons();
    void setupStatusBar();
    void setupLayout();
    void setupEvents();

    bool previewKey(QKeyEvent& key);
    void focusLeft(QWidget* old, QWidget* now);

    ProductBoxes productBoxes() const;
    ItemBoxes itemBoxes() const;
    void showProduct();
    // Every item box shows the current copy, except `keep`.
    void showCurrentItem(const QWidget* keep = nullptr);
    void showItemList();
    void showCategoryDescription();

    void addItem();
    bool applyItem();
    void removeItem();
    void selectItem();
    void save();
    void deleteProduct();
    void printLabels();

    AppContext& m_ctx;
    ProductEditor m_editor;

    QLineEdit* txtProductID = nullptr;
    QLineEdit* txtProductName = nullptr;
    QComboBox* cboCategoryID = nullptr;
    QLineEdit* txtCategoryDesc = nullptr;
    QLineEdit* txtSupplierID = nullptr;
    QLineEdit* txtPUnitCost = nullptr;
    QLineEdit* txtPUnitPrice = nullptr;
    QLineEdit* txtDiscontinued = nullptr;
    QLineEdit* txtRemarks = nullptr;

    QLineEdit* txtItemID = nullptr;
    MaskedLineEdit* txtPurchaseDate = nullptr;
    QLineEdit* txtUnitCost = nullptr;
    QLineEdit* txtUnitPrice = nullptr;
    QComboBox* cboStatus = nullptr;
    QLineEdit* txtRentTimes = nullptr;
    QLineEdit* txtLastRentDate = nullptr;

    QListWidget* lstItemID = nullptr;
    QPushButton* cmdAddItem = nullptr;
    QPushButton* cmdDeleteItem = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdLabels = nullptr;
};
