#include "frmProduct.h"

#include "AppContext.h"
#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "StatusClock.h"
#include "labelprint.h"
#include "labelwindows.h"
#include "lookup.h"
#include "utility.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLineEdit* newBox(const QString& name, int width) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMinimumWidth(width);
    return box;
}

// An amount box: typed and shown as "#,##0.00", lined up on the right.
QLineEdit* newAmountBox(const QString& name) {
    QLineEdit* box = newBox(name, 100);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// A box that only shows: no focus, and drawn on the window's colour.
QLineEdit* newDisplayBox(const QString& name, int width) {
    QLineEdit* box = newBox(name, width);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette shown = box->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    box->setPalette(shown);
    return box;
}

// Buttons are reached with Tab but not focused by a click, so clicking one does not count as
// leaving the box the clerk was in.
QPushButton* newButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLabel* newLabel(const QString& caption) {
    auto* label = new QLabel(caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// Replaces a box's text unless it is the one to keep as the clerk is typing in it.
void setTextUnless(QLineEdit* box, const QString& text, const QWidget* keep) {
    if (box != keep)
        box->setText(text);
}

const QString Caption = QStringLiteral("Product");
// The stock last printed on: a shop keeps to one kind of labels.
const QString LabelStockKey = QStringLiteral("Labels/Stock");

} // namespace

frmProduct::frmProduct(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx),
      m_editor(ctx.db, ctx.messages, ctx.clock, ctx.CategoryList, ctx.ItemStatusList) {
    setObjectName(QStringLiteral("frmProduct"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Caption);
    setupProductFields();
    setupLayout();
    setupEvents();
}

// Focus signals still fire while the window's parts are torn down; by then this window must
// no longer answer them.
frmProduct::~frmProduct() {
    disconnect(qApp, nullptr, this, nullptr);
}

bool frmProduct::Start(const QString& key) {
    if (!m_editor.Start(key))
        return false;
    setWindowTitle(Caption +
                   (m_editor.IsNew() ? QStringLiteral(" (New) ") : QStringLiteral(" (Update) ")));
    // A product that is not stored yet has nothing to delete.
    cmdDelete->setEnabled(!m_editor.IsNew());
    showProduct();
    showCurrentItem();
    showItemList();
    txtProductName->setFocus();
    return true;
}

void frmProduct::setupProductFields() {
    txtProductID = newDisplayBox(QStringLiteral("txtProductID"), 90);
    txtProductName = newBox(QStringLiteral("txtProductName"), 320);
    cboCategoryID = new QComboBox;
    cboCategoryID->setObjectName(QStringLiteral("cboCategoryID"));
    cboCategoryID->setEditable(true);
    cboCategoryID->setInsertPolicy(QComboBox::NoInsert);
    // The code is taken exactly as typed; completing it could pick a longer code.
    cboCategoryID->setCompleter(nullptr);
    cboCategoryID->setMinimumContentsLength(6);
    for (const CategoryRec& category : m_ctx.CategoryList)
        cboCategoryID->addItem(category.CategoryID);
    txtCategoryDesc = newDisplayBox(QStringLiteral("txtCategoryDesc"), 160);
    txtSupplierID = newBox(QStringLiteral("txtSupplierID"), 90);
    txtPUnitCost = newAmountBox(QStringLiteral("txtPUnitCost"));
    txtPUnitPrice = newAmountBox(QStringLiteral("txtPUnitPrice"));
    txtDiscontinued = newBox(QStringLiteral("txtDiscontinued"), 30);
    txtDiscontinued->setMaxLength(1);
    txtDiscontinued->setMaximumWidth(40);
    txtRemarks = newBox(QStringLiteral("txtRemarks"), 320);
}

QWidget* frmProduct::setupCategoryBox() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cboCategoryID);
    layout->addWidget(txtCategoryDesc, 1);
    return row;
}

QWidget* frmProduct::setupItemDetails() {
    txtItemID = newBox(QStringLiteral("txtItemID"), 100);
    txtPurchaseDate = new MaskedLineEdit(QStringLiteral("99/99/9999"));
    txtPurchaseDate->setObjectName(QStringLiteral("txtPurchaseDate"));
    txtUnitCost = newAmountBox(QStringLiteral("txtUnitCost"));
    txtUnitPrice = newAmountBox(QStringLiteral("txtUnitPrice"));
    cboStatus = new QComboBox;
    cboStatus->setObjectName(QStringLiteral("cboStatus"));
    cboStatus->addItems(m_editor.statusNames());
    txtRentTimes = newDisplayBox(QStringLiteral("txtRentTimes"), 60);
    txtRentTimes->setAlignment(Qt::AlignRight);
    txtLastRentDate = newDisplayBox(QStringLiteral("txtLastRentDate"), 100);

    auto* frame = new QGroupBox(QStringLiteral("Item details"));
    frame->setObjectName(QStringLiteral("fraItem"));
    auto* grid = new QGridLayout(frame);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Item ID:", txtItemID},          {"Purchase Date:", txtPurchaseDate},
        {"Purchase Price:", txtUnitCost}, {"Retail Price:", txtUnitPrice},
        {"Status:", cboStatus},           {"Times of Rent:", txtRentTimes},
        {"Last Rent:", txtLastRentDate}};
    int row = 0;
    for (const auto& [label, box] : rows) {
        grid->addWidget(newLabel(QString::fromLatin1(label)), row, 0);
        grid->addWidget(box, row++, 1);
    }
    grid->setRowStretch(row, 1);
    return frame;
}

QWidget* frmProduct::setupItemButtons() {
    cmdAddItem = newButton(QStringLiteral("cmdAddItem"), QStringLiteral("=>"));
    cmdDeleteItem = newButton(QStringLiteral("cmdDeleteItem"), QStringLiteral("<="));
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addStretch();
    layout->addWidget(cmdAddItem);
    layout->addWidget(cmdDeleteItem);
    layout->addStretch();
    return column;
}

void frmProduct::setupItemList() {
    lstItemID = new QListWidget;
    lstItemID->setObjectName(QStringLiteral("lstItemID"));
    // Several copies can be selected for their labels; removing still takes exactly one.
    lstItemID->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstItemID->setMinimumWidth(110);
    lstItemID->setMaximumWidth(160);
}

QWidget* frmProduct::setupCommandButtons() {
    cmdSave = newButton(QStringLiteral("cmdSave"), QStringLiteral("Save (F12)"));
    cmdCancel = newButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel (Esc)"));
    cmdDelete = newButton(QStringLiteral("cmdDelete"), QStringLiteral("Delete"));
    cmdLabels = newButton(QStringLiteral("cmdLabels"), QStringLiteral("Labels (F7)"));
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdDelete);
    layout->addWidget(cmdLabels);
    layout->addStretch();
    layout->addWidget(cmdSave);
    layout->addWidget(cmdCancel);
    return row;
}

void frmProduct::setupStatusBar() {
    auto* bar = new QStatusBar(this);
    FillStatusBar(*bar, m_ctx.clock);
    layout()->addWidget(bar);
}

QLayout* frmProduct::setupFieldGrid() {
    auto* grid = new QGridLayout;
    const auto add = [grid](int row, int column, const char* label, QWidget* box, int span = 1,
                            Qt::Alignment align = {}) {
        grid->addWidget(newLabel(QString::fromLatin1(label)), row, column);
        grid->addWidget(box, row, column + 1, 1, span, align);
    };
    add(0, 0, "Prod ID:", txtProductID);
    add(0, 2, "Rate/Price:", setupCategoryBox());
    add(1, 0, "Title:", txtProductName, 3);
    add(2, 0, "SupplierID:", txtSupplierID);
    add(2, 2, "Stop:", txtDiscontinued, 1, Qt::AlignLeft);
    add(3, 0, "Purchase Price:", txtPUnitCost);
    add(3, 2, "Retail Price:", txtPUnitPrice, 1, Qt::AlignLeft);
    add(4, 0, "Remarks:", txtRemarks, 3);
    grid->setColumnStretch(3, 1);
    return grid;
}

void frmProduct::setupLayout() {
    auto* items = new QHBoxLayout;
    items->addWidget(setupItemDetails(), 1);
    items->addWidget(setupItemButtons());
    setupItemList();
    items->addWidget(lstItemID);

    auto* main = new QVBoxLayout(this);
    main->addLayout(setupFieldGrid());
    main->addLayout(items, 1);
    main->addWidget(setupCommandButtons());
    setupStatusBar();

    const QList<QWidget*> order = {txtProductName,  cboCategoryID,   txtSupplierID, txtPUnitCost,
                                   txtPUnitPrice,   txtDiscontinued, txtRemarks,    txtItemID,
                                   txtPurchaseDate, txtUnitCost,     txtUnitPrice,  cboStatus,
                                   cmdAddItem,      cmdDeleteItem,   lstItemID,     cmdSave,
                                   cmdCancel,       cmdDelete,       cmdLabels};
    for (qsizetype at = 1; at < order.size(); ++at)
        setTabOrder(order.at(at - 1), order.at(at));
}

void frmProduct::setupEvents() {
    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
    connect(qApp, &QApplication::focusChanged, this, &frmProduct::focusLeft);
    connect(cboCategoryID, &QComboBox::activated, this, &frmProduct::showCategoryDescription);
    connect(lstItemID, &QListWidget::currentItemChanged, this, &frmProduct::selectItem);
    connect(cmdAddItem, &QPushButton::clicked, this, &frmProduct::addItem);
    connect(cmdDeleteItem, &QPushButton::clicked, this, &frmProduct::removeItem);
    connect(cmdSave, &QPushButton::clicked, this, &frmProduct::save);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdDelete, &QPushButton::clicked, this, &frmProduct::deleteProduct);
    connect(cmdLabels, &QPushButton::clicked, this, &frmProduct::printLabels);
}

bool frmProduct::previewKey(QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (key.key() == Qt::Key_F12) {
        save();
        return true;
    }
    if (key.key() == Qt::Key_F7) {
        printLabels();
        return true;
    }
    return false;
}

// Only moves within this window count; a message box or another window taking the focus
// does not.
void frmProduct::focusLeft(QWidget* old, QWidget* now) {
    if (!now || now->window() != this)
        return;
    if (old == cboCategoryID) {
        showCategoryDescription();
        if (cboCategoryID->currentText().trimmed().isEmpty()) {
            m_ctx.messages.show(QStringLiteral("Please input Rate Code!"), MsgIcon::Exclamation);
            QTimer::singleShot(0, cboCategoryID, qOverload<>(&QWidget::setFocus));
        }
        return;
    }
    const bool itemBox =
        old == txtUnitCost || old == txtUnitPrice || old == cboStatus || old == txtPurchaseDate;
    if (itemBox)
        applyItem();
}

ProductBoxes frmProduct::productBoxes() const {
    return {txtProductName->text(), cboCategoryID->currentText(), txtSupplierID->text(),
            txtPUnitCost->text(),   txtPUnitPrice->text(),        txtDiscontinued->text(),
            txtRemarks->text()};
}

ItemBoxes frmProduct::itemBoxes() const {
    return {txtItemID->text(), txtPurchaseDate->text(), txtUnitCost->text(), txtUnitPrice->text(),
            cboStatus->currentText()};
}

void frmProduct::showProduct() {
    const ProductBoxes boxes = ProductToBoxes(m_editor.product());
    txtProductID->setText(m_editor.product().ProductID);
    txtProductName->setText(boxes.ProductName);
    cboCategoryID->setEditText(boxes.CategoryID);
    txtSupplierID->setText(boxes.SupplierID);
    txtPUnitCost->setText(boxes.UnitCost);
    txtPUnitPrice->setText(boxes.UnitPrice);
    txtDiscontinued->setText(boxes.Discontinued);
    txtRemarks->setText(boxes.Remarks);
    showCategoryDescription();
}

void frmProduct::showCurrentItem(const QWidget* keep) {
    const ItemRec& item = m_editor.current();
    const ItemBoxes boxes = ItemToBoxes(item, m_editor.statusNames());
    setTextUnless(txtItemID, boxes.ItemID, keep);
    setTextUnless(txtPurchaseDate, boxes.PurchaseDate, keep);
    setTextUnless(txtUnitCost, boxes.UnitCost, keep);
    setTextUnless(txtUnitPrice, boxes.UnitPrice, keep);
    cboStatus->setCurrentIndex(cboStatus->findText(boxes.Status));
    txtRentTimes->setText(FormatCount(item.RentTimes));
    txtLastRentDate->setText(DateToDisplay(item.LastRentDate));
}

void frmProduct::showItemList() {
    const QStringList ids = m_editor.ListedIDs();
    QStringList shown;
    for (int row = 0; row < lstItemID->count(); ++row)
        shown.append(lstItemID->item(row)->text());
    if (ids == shown)
        return;
    const QSignalBlocker quiet(lstItemID);
    lstItemID->clear();
    lstItemID->addItems(ids);
}

void frmProduct::showCategoryDescription() {
    txtCategoryDesc->setText(
        CategoryDescription(m_ctx.CategoryList, cboCategoryID->currentText().trimmed()));
}

void frmProduct::addItem() {
    if (!m_editor.AddItem(itemBoxes()))
        return;
    showItemList();
    showCurrentItem();
}

// Nothing to take while the item ID box is empty (no copy shown, or all removed).
bool frmProduct::applyItem() {
    if (txtItemID->text().trimmed().isEmpty())
        return true;
    const bool applied = m_editor.ApplyItem(itemBoxes());
    showItemList();
    // The box the focus moved to is left alone: the clerk may already be typing in it.
    if (applied)
        showCurrentItem(focusWidget());
    return applied;
}

void frmProduct::removeItem() {
    QStringList selected;
    for (const QListWidgetItem* item : lstItemID->selectedItems())
        selected.append(item->text());
    if (!m_editor.RemoveItem(selected))
        return;
    showItemList();
    showCurrentItem();
}

void frmProduct::selectItem() {
    const QListWidgetItem* item = lstItemID->currentItem();
    if (item && m_editor.ShowItem(item->text()))
        showCurrentItem();
}

// F12 and the button alike first take the item boxes into the list; a copy the clerk typed
// but that was refused must not be dropped by a save that then reports success.
void frmProduct::save() {
    if (!applyItem())
        return;
    if (m_editor.Save(productBoxes()))
        close();
}

void frmProduct::deleteProduct() {
    const int answer =
        m_ctx.messages.show(QStringLiteral("Deleted record cannot be restored!\rConfirm delete?"),
                            MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == AnswerYes && m_editor.DeleteProduct())
        close();
}

// Labels for the copies in the list as it stands, saved or not, with the title and rate code
// as the boxes show them.
void frmProduct::printLabels() {
    QList<CopyLabel> all;
    QList<CopyLabel> selected;
    for (int row = 0; row < lstItemID->count(); ++row) {
        const QListWidgetItem* item = lstItemID->item(row);
        const CopyLabel label{item->text(), txtProductName->text().trimmed(),
                              cboCategoryID->currentText().trimmed()};
        all.append(label);
        if (item->isSelected())
            selected.append(label);
    }
    if (all.isEmpty()) {
        m_ctx.messages.show(NoCopiesText, MsgIcon::Exclamation);
        return;
    }
    LabelOptions options;
    options.stock = LabelStock(m_ctx.settings.value(LabelStockKey, 0).toInt());
    if (!askLabelOptions(this, int(all.size()), int(selected.size()), options))
        return;
    m_ctx.settings.setValue(LabelStockKey, int(options.stock));
    showLabelPrint(
        printCopyLabels(options.selectedOnly ? selected : all, options.stock, options.offset),
        m_ctx.messages, this);
}
