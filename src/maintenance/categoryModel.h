#pragma once

#include <QSqlTableModel>

#include <optional>

class Clock;
class Connection;
class QSqlError;
enum class Claim;

// The rate table as an editable model over table Category, ordered by description. A changed
// row is written when the clerk leaves it. A row that cannot be stored (the database refuses
// it, or it renames a code that products are filed under) is reported once and keeps what was
// typed, so it can be corrected; it is not tried again until something is typed. A row stored
// at another counter since it was read is not written over: the clerk is told, and the rows
// are read again. A new row is
// written once something is typed in it. Amounts are shown and typed as "#,##0.00" and kept
// in ten-thousandths.
class CategoryModel : public QSqlTableModel {
    Q_OBJECT

public:
    CategoryModel(Connection& db, const Clock& clock, QObject* parent = nullptr);

    // Reads all rows afresh, fetched to the end so no statement stays open on the connection.
    bool refresh();
    // Lets go of the connection until refresh(): pending changes are written first.
    void release();
    bool isReleased() const { return tableName().isEmpty(); }

    bool isAmountColumn(int column) const;
    bool isCountColumn(int column) const;
    // The eight columns the clerk sees, in order.
    QList<int> visibleColumns() const;

    // Adds an empty row at the end, after writing any pending change; its row number, or -1.
    int addRow();
    // Deletes the category in `row` from the database at once, unless products are filed
    // under it; a row never stored is dropped.
    bool deleteRow(int row);
    // A new row left without anything typed in it is no category: it goes without a word.
    void dropIfUntouched(int row);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

public Q_SLOTS:
    bool submit() override;

Q_SIGNALS:
    // The row could not be stored and holds what was typed, ready to be corrected.
    void rowRefused(int row);

private:
    void configure();
    bool rowIsDirty(int row) const;
    bool isUntouchedNewRow(int row) const;
    bool onlyUntouchedNewRowsPending() const;
    void stampRow(QSqlRecord& record, bool created) const;
    Claim writePending(QString& refusal, QSqlError& error);
    Claim claimStoredRows(QString& refusal);
    std::optional<QString> renameRefusal();
    int firstDirtyRow() const;

    Connection& m_db;
    const Clock& m_clock;
    // Taking a row back moves the view's cursor, which asks to submit again; not meanwhile.
    bool m_busy = false;
    // A row was refused and nothing has been typed since.
    bool m_refused = false;
};
