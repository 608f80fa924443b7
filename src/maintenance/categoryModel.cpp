#include "categoryModel.h"

#include "Clock.h"
#include "Connection.h"
#include "MessageService.h"
#include "Money.h"
#include "catalogue.h"
#include "claims.h"
#include "dbvalue.h"
#include "utility.h"

#include <QScopedValueRollback>
#include <QSqlError>
#include <QSqlRecord>

#include <array>

namespace {

const QString Source = QStringLiteral("AdoCategory");

struct Column {
    const char* field;
    const char* heading;
};

// The columns the clerk sees, in this order, with their headings.
const std::array<Column, 8> Columns = {{{"CategoryID", "Rate Code"},
                                        {"Description", "Description"},
                                        {"RentUnitRate", "U.Rate (Rent)$"},
                                        {"RentUnitDays", "U.Day (Rent)"},
                                        {"OverDueRate", "Overdue Rate$"},
                                        {"UnitPrice", "Unit Price$"},
                                        {"PromoteQty", "Dis. Qty"},
                                        {"PromotePrice", "Dis. Price$"}}};

const std::array<const char*, 4> AmountFields = {"RentUnitRate", "OverDueRate", "UnitPrice",
                                                 "PromotePrice"};
const std::array<const char*, 2> CountFields = {"RentUnitDays", "PromoteQty"};

// Every stored decimal and at least two, so opening a cell and leaving it changes nothing.
QString amountForEditing(Money amount) {
    const qint64 units = amount.units() < 0 ? -amount.units() : amount.units();
    QString fraction =
        QStringLiteral("%1").arg(units % Money::UnitsPerWhole, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 2 && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    const QString text =
        QString::number(units / Money::UnitsPerWhole) + QLatin1Char('.') + fraction;
    return amount.units() < 0 ? QLatin1Char('-') + text : text;
}

template <std::size_t N>
bool isOneOf(const QSqlTableModel& model, int column, const std::array<const char*, N>& fields) {
    for (const char* field : fields) {
        if (column >= 0 && column == model.fieldIndex(QString::fromLatin1(field)))
            return true;
    }
    return false;
}

} // namespace

CategoryModel::CategoryModel(Connection& db, const Clock& clock, QObject* parent)
    : QSqlTableModel(parent, db.database()), m_db(db), m_clock(clock) {
    setObjectName(QStringLiteral("AdoCategory"));
    connect(this, &QSqlTableModel::beforeInsert, this,
            [this](QSqlRecord& record) { stampRow(record, true); });
    connect(this, &QSqlTableModel::beforeUpdate, this,
            [this](int, QSqlRecord& record) { stampRow(record, false); });
    // Compaction closes the connection: let go of it, and read the rows again once it is back.
    connect(&db, &Connection::aboutToClose, this, &CategoryModel::release);
    refresh();
}

void CategoryModel::configure() {
    setTable(QStringLiteral("Category"));
    setEditStrategy(OnRowChange);
    setSort(fieldIndex(QStringLiteral("Description")), Qt::AscendingOrder);
    for (const Column& column : Columns)
        setHeaderData(fieldIndex(QString::fromLatin1(column.field)), Qt::Horizontal,
                      QString::fromLatin1(column.heading));
}

bool CategoryModel::refresh() {
    if (!m_db.isOpen())
        return false;
    if (isReleased())
        configure();
    if (!select()) {
        m_db.reportSqlError(lastError(), Source);
        return false;
    }
    while (canFetchMore())
        fetchMore();
    return true;
}

void CategoryModel::release() {
    if (isReleased())
        return;
    submit();
    clear();
    QMetaObject::invokeMethod(
        this, [this] { refresh(); }, Qt::QueuedConnection);
}

bool CategoryModel::isAmountColumn(int column) const {
    return isOneOf(*this, column, AmountFields);
}

bool CategoryModel::isCountColumn(int column) const {
    return isOneOf(*this, column, CountFields);
}

QList<int> CategoryModel::visibleColumns() const {
    QList<int> columns;
    for (const Column& column : Columns)
        columns << fieldIndex(QString::fromLatin1(column.field));
    return columns;
}

QVariant CategoryModel::data(const QModelIndex& index, int role) const {
    const bool amount = isAmountColumn(index.column());
    const bool number = amount || isCountColumn(index.column());
    if (number && role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (!number || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QSqlTableModel::data(index, role);
    // Numbers are edited as text, so a cell takes whatever the clerk types.
    const QVariant stored = QSqlTableModel::data(index, Qt::EditRole);
    if (stored.isNull())
        return QString();
    if (!amount)
        return stored.toString();
    const Money value = readMoney(stored);
    return role == Qt::DisplayRole ? value.format() : amountForEditing(value);
}

bool CategoryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole)
        return QSqlTableModel::setData(index, value, role);
    m_refused = false;
    const QString typed = value.toString().trimmed();
    const bool amount = isAmountColumn(index.column());
    if (!amount && !isCountColumn(index.column())) {
        // Passing through an empty cell of a new row types nothing into it.
        if (typed.isEmpty() && QSqlTableModel::data(index, role).isNull())
            return true;
        return QSqlTableModel::setData(index, typed, role);
    }
    // An emptied number cell keeps its value.
    if (typed.isEmpty())
        return false;
    if (amount) {
        // What does not read as an amount is refused here: the column holds ten-thousandths.
        const auto parsed = Money::parse(typed);
        return parsed && QSqlTableModel::setData(index, QVariant(parsed->units()), role);
    }
    // A count goes as typed unless it reads as a whole number; the database refuses the rest.
    bool whole = false;
    const qint64 count = typed.toLongLong(&whole);
    return QSqlTableModel::setData(index, whole ? QVariant(count) : QVariant(typed), role);
}

bool CategoryModel::submit() {
    // A new row the clerk has not typed in yet waits; storing it empty would only fail.
    if (m_busy || !isDirty() || onlyUntouchedNewRowsPending())
        return true;
    // Nothing typed since the refusal: the answer would be the same, and it has been given.
    if (m_refused)
        return false;
    const QScopedValueRollback busy(m_busy, true);
    QString refusal;
    QSqlError error;
    const Claim written = writePending(refusal, error);
    if (written == Claim::Written)
        return true;
    // Written, but the commit failed: show what is stored.
    if (written == Claim::Failed && !isDirty()) {
        refresh();
        return false;
    }
    // Told only after the transaction has ended, so nothing stays locked behind the box.
    if (!refusal.isEmpty())
        m_db.messages().show(refusal, MsgIcon::Exclamation);
    else if (error.isValid())
        m_db.reportSqlError(error, Source);
    // Stored at another counter meanwhile: what is stored now replaces what was typed.
    if (written == Claim::Changed) {
        refresh();
        return false;
    }
    m_refused = true;
    Q_EMIT rowRefused(firstDirtyRow());
    return false;
}

// Writes the pending rows in one transaction, with the checks on renamed codes and on rows
// stored at another counter inside it so neither can change meanwhile. Changed when a row
// was stored elsewhere since it was read; on failure, `refusal` or `error` says why, unless
// the connection has told the clerk already.
Claim CategoryModel::writePending(QString& refusal, QSqlError& error) {
    TransactionGuard transaction(m_db);
    if (!transaction.begun())
        return Claim::Failed;
    const Claim claim = claimStoredRows(refusal);
    if (claim != Claim::Written)
        return claim;
    const std::optional<QString> renamed = renameRefusal();
    if (!renamed)
        return Claim::Failed;
    refusal = *renamed;
    if (!refusal.isEmpty())
        return Claim::Failed;
    if (!QSqlTableModel::submit()) {
        error = lastError();
        return Claim::Failed;
    }
    return transaction.commit() ? Claim::Written : Claim::Failed;
}

// Holds every changed stored row while it is as it was read; `refusal` names one that is not.
Claim CategoryModel::claimStoredRows(QString& refusal) {
    const QString field = QStringLiteral("CategoryID");
    const int modDate = fieldIndex(QStringLiteral("ModDate"));
    for (int row = 0; row < rowCount(); ++row) {
        const QString stored = primaryValues(row).value(field).toString();
        if (!rowIsDirty(row) || stored.isEmpty())
            continue;
        const QDateTime read = readStamp(QSqlTableModel::data(index(row, modDate), Qt::EditRole));
        const Claim claim = ClaimRecord(m_db, Record::Category, stored, read);
        if (claim == Claim::Changed)
            refusal = RecordChangedText(Record::Category, stored);
        if (claim != Claim::Written)
            return claim;
    }
    return Claim::Written;
}

// A stored code changed while products are filed under it would leave their copies without
// rates. The refusal naming such a product, empty when there is none; none when the question
// could not be answered.
std::optional<QString> CategoryModel::renameRefusal() {
    const QString field = QStringLiteral("CategoryID");
    const int column = fieldIndex(field);
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex code = index(row, column);
        // A row never stored has no stored code.
        const QString stored = primaryValues(row).value(field).toString();
        if (!isDirty(code) || stored.isEmpty() ||
            QSqlTableModel::data(code, Qt::EditRole).toString() == stored)
            continue;
        const std::optional<ProductRec> user = FirstProductInCategory(m_db, stored);
        if (!user)
            return std::nullopt;
        if (!user->ProductID.isEmpty())
            return CategoryInUseText(stored, *user, QStringLiteral("change"));
    }
    return QString();
}

int CategoryModel::firstDirtyRow() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (rowIsDirty(row))
            return row;
    }
    return -1;
}

int CategoryModel::addRow() {
    for (int row = rowCount() - 1; row >= 0; --row)
        dropIfUntouched(row);
    if (!submit())
        return -1;
    const int row = rowCount();
    return insertRow(row) ? row : -1;
}

bool CategoryModel::deleteRow(int row) {
    if (row < 0 || row >= rowCount())
        return false;
    if (rowIsDirty(row)) {
        // Its own pending change goes with it; a row never stored vanishes with the revert.
        const int before = rowCount();
        {
            const QScopedValueRollback busy(m_busy, true);
            revertRow(row);
        }
        if (rowCount() < before)
            return true;
    } else if (!submit()) {
        return false;
    }
    const QString code =
        QSqlTableModel::data(index(row, fieldIndex(QStringLiteral("CategoryID"))), Qt::EditRole)
            .toString();
    // Deleted behind the model's back: the rows are read again.
    return DeleteCategory(m_db, code) && refresh();
}

bool CategoryModel::rowIsDirty(int row) const {
    for (int column = 0; column < columnCount(); ++column) {
        if (isDirty(index(row, column)))
            return true;
    }
    return false;
}

// A new row is dirty in every column; one the clerk never typed in holds nothing at all.
bool CategoryModel::isUntouchedNewRow(int row) const {
    for (int column = 0; column < columnCount(); ++column) {
        const QModelIndex cell = index(row, column);
        if (!isDirty(cell) || !QSqlTableModel::data(cell, Qt::EditRole).isNull())
            return false;
    }
    return columnCount() > 0;
}

bool CategoryModel::onlyUntouchedNewRowsPending() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (rowIsDirty(row) && !isUntouchedNewRow(row))
            return false;
    }
    return true;
}

void CategoryModel::dropIfUntouched(int row) {
    if (m_busy || !isUntouchedNewRow(row))
        return;
    const QScopedValueRollback busy(m_busy, true);
    revertRow(row);
}

void CategoryModel::stampRow(QSqlRecord& record, bool created) const {
    const QVariant now = toDb(QVariant(NowStamp(m_clock)));
    record.setValue(QStringLiteral("ModDate"), now);
    record.setGenerated(QStringLiteral("ModDate"), true);
    if (created) {
        record.setValue(QStringLiteral("InDate"), now);
        record.setGenerated(QStringLiteral("InDate"), true);
    }
}
