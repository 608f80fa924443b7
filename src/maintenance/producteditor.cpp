#include "producteditor.h"

#include "Clock.h"
#include "Connection.h"
#include "MessageService.h"
#include "itemlist.h"
#include "orders.h"
#include "productcheck.h"
#include "serials.h"
#include "stats.h"
#include "utility.h"

namespace {

const QString FormName = QStringLiteral("Product");
const QString AvailableStatus = QStringLiteral("0");

} // namespace

ProductEditor::ProductEditor(Connection& db, MessageService& messages, const Clock& clock,
                             const QList<CategoryRec>& categories,
                             const QList<ItemStatusRec>& statuses)
    : m_db(db), m_messages(messages), m_clock(clock), m_categories(categories),
      m_statusNames(StatusNames(statuses)) {}

bool ProductEditor::Start(const QString& key) {
    m_isNew = true;
    m_product.Items.clear();
    const QString typed = key.trimmed();
    if (IsNumericText(typed))
        return refuse(typed + NotValidItemIDText);
    const QString itemID = FormatItemID(typed);
    if (loadStored(itemID))
        m_isNew = false;
    else
        startNew(itemID);
    return true;
}

// The copy, its product and all the product's copies, each with what its rentals add up to.
bool ProductEditor::loadStored(const QString& itemID) {
    ProductRec stored;
    ItemRec key;
    key.ItemID = itemID;
    stored.Items = {key};
    if (!GetItems(m_db, stored.Items, false) || !GetProduct(m_db, stored) ||
        !GetItems(m_db, stored.Items, true))
        return false;
    for (ItemRec& item : stored.Items) {
        if (!AddItemRentQty(m_db, item) || !GetItemLastRent(m_db, item))
            return false;
    }
    m_product = stored;
    m_current = m_product.Items.first();
    return true;
}

void ProductEditor::startNew(const QString& itemID) {
    m_product = ProductRec();
    m_product.InDate = m_product.ModDate = NowStamp(m_clock);
    m_product.CategoryID = QStringLiteral("V");
    m_product.SupplierID = QStringLiteral("XXX");
    m_product.QuantityPerUnit = QStringLiteral("1");
    m_product.Discontinued = QStringLiteral("N");
    m_current = blankItem(itemID);
}

// A copy bought today, available, never rented.
ItemRec ProductEditor::blankItem(const QString& itemID) const {
    ItemRec item;
    item.InDate = item.ModDate = NowStamp(m_clock);
    item.ItemID = itemID;
    item.PurchaseDate = TodayStamp(m_clock);
    item.ProductID = m_product.ProductID;
    item.Status = AvailableStatus;
    return item;
}

QStringList ProductEditor::ListedIDs() const {
    return ListedItemIDs(m_product.Items);
}

bool ProductEditor::ShowItem(const QString& itemID) {
    const qsizetype at = FindListedItem(m_product.Items, itemID);
    if (at < 0)
        return false;
    m_current = m_product.Items.at(at);
    return true;
}

bool ProductEditor::AddItem(const ItemBoxes& boxes) {
    const QString problem = CheckItemBoxes(boxes, m_statusNames);
    return problem.isEmpty() ? addChecked(boxes) : refuse(problem);
}

bool ProductEditor::addChecked(const ItemBoxes& boxes) {
    ItemRec item = blankItem(QString());
    BoxesToItem(boxes, m_statusNames, m_product.ProductID, item);
    const QString problem = newItemIDProblem(item.ItemID);
    if (!problem.isEmpty())
        return refuse(problem);
    item.Added = true;
    m_product.Items.append(item);
    m_current = item;
    return true;
}

QString ProductEditor::newItemIDProblem(const QString& itemID) {
    if (!IsWellFormedItemID(itemID))
        return itemID + NotValidItemIDText;
    if (FindListedItem(m_product.Items, itemID) >= 0)
        return itemID + QStringLiteral(" The Item ID already exists in (item) list!");
    if (isStored(itemID))
        return itemID + QStringLiteral(" The Item ID already exists in database!");
    return {};
}

bool ProductEditor::isStored(const QString& itemID) {
    ItemRec key;
    key.ItemID = itemID;
    QList<ItemRec> found = {key};
    return GetItems(m_db, found, false);
}

bool ProductEditor::ApplyItem(const ItemBoxes& boxes) {
    const QString problem = CheckItemBoxes(boxes, m_statusNames);
    if (!problem.isEmpty())
        return refuse(problem);
    const QString itemID = FormatItemID(boxes.ItemID.trimmed());
    qsizetype at = FindListedItem(m_product.Items, itemID);
    if (at < 0) {
        addChecked(boxes);
        at = FindListedItem(m_product.Items, itemID);
        if (at < 0)
            return refuse(QStringLiteral(" Please input another Item ID!"));
    }
    ItemRec& entry = m_product.Items[at];
    if (!entry.Added && !isStored(itemID))
        return refuse(itemID + QStringLiteral(" The Item ID not exist in database!"));
    BoxesToItem(boxes, m_statusNames, m_product.ProductID, entry);
    entry.Changed = !entry.Added;
    m_current = entry;
    return true;
}

bool ProductEditor::RemoveItem(const QStringList& selected) {
    if (selected.size() != 1)
        return refuse(QStringLiteral("Select an Item ID first in (item) list!"));
    const QString itemID = selected.first();
    const qsizetype at = FindListedItem(m_product.Items, itemID);
    if (at < 0) {
        m_messages.show(QStringLiteral("debug: error in ValidCmdDeleteItem!"));
        return false;
    }
    if (FindRecordInOrder(m_db, OrderFindBy::Item, itemID))
        return refuse(
            itemID +
            QStringLiteral(" The Item ID is referenced by order record(s), cannot delete!"));
    // A sale naming a removed copy would drop out of the sales report.
    const std::optional<bool> sold = ItemHasSales(m_db, itemID);
    if (!sold)
        return false;
    if (*sold)
        return refuse(itemID + QStringLiteral(
                                   " The Item ID is referenced by sale record(s), cannot delete!"));
    m_product.Items[at].Deleted = true;
    const ItemRec* next = FirstListedItem(m_product.Items);
    m_current = next ? *next : blankItem(QString());
    return true;
}

bool ProductEditor::Save(const ProductBoxes& boxes) {
    const QString problem = CheckProductBoxes(boxes, m_categories);
    if (!problem.isEmpty())
        return refuse(problem);
    const QString mode = m_isNew ? QStringLiteral(" (New) ") : QStringLiteral(" (Update) ");
    const ProductRec before = m_product;
    BoxesToProduct(boxes, m_product);
    m_product.ModDate = NowStamp(m_clock);
    QString changed;
    const Claim saved = writeProduct(before.ModDate, changed);
    if (saved != Claim::Written) {
        // The number taken went back with the rollback; the retry takes it again.
        m_product = before;
        return refuse(saved == Claim::Changed ? changed
                                              : FormName + mode + QStringLiteral("failed!"));
    }
    SettleItems(m_product.Items);
    m_isNew = false;
    m_messages.show(FormName + mode + QStringLiteral("saved successfully"), MsgIcon::Information);
    return true;
}

// The product row, then every copy; all or nothing. A stored product is rewritten only while
// it is as it was loaded (its ModDate then was `readModDate`); `changed` says what was not.
Claim ProductEditor::writeProduct(const QDateTime& readModDate, QString& changed) {
    TransactionGuard transaction(m_db);
    if (!transaction.begun())
        return Claim::Failed;
    if (m_isNew) {
        m_product.ProductID = GetSerialNo(m_db, QStringLiteral("ProductID"));
        if (m_product.ProductID.isEmpty() || !InsertProduct(m_db, m_product))
            return Claim::Failed;
    } else {
        const Claim claim = ClaimRecord(m_db, Record::Product, m_product.ProductID, readModDate);
        changed = RecordChangedText(Record::Product, m_product.ProductID);
        if (claim != Claim::Written)
            return claim;
        if (!UpdateProduct(m_db, m_product))
            return Claim::Failed;
    }
    const Claim items =
        SaveItems(m_db, m_product.Items, m_product.ProductID, m_product.ModDate, changed);
    if (items != Claim::Written)
        return items;
    return transaction.commit() ? Claim::Written : Claim::Failed;
}

bool ProductEditor::DeleteProduct() {
    return !m_isNew && ::DeleteProduct(m_db, m_product.ProductID);
}

bool ProductEditor::refuse(const QString& text) const {
    m_messages.show(text, MsgIcon::Exclamation);
    return false;
}
