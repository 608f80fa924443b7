#pragma once

#include <QSqlTableModel>

class Clock;
class Connection;

// The rate table as an editable model over table Category, ordered by description. A changed
// row is written when the clerk leaves it; a row the database refuses is reported once and goes
// back to what is stored, so the rest of the table stays editable. A new row is written once
// something is typed in it. Amounts are shown and typed as "#,##0.00" and kept in
// ten-thousandths.
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
    // Deletes the category in `row` from the database at once; a row never stored is dropped.
    bool deleteRow(int row);
    // A new row left without anything typed in it is no category: it goes without a word.
    void dropIfUntouched(int row);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

public Q_SLOTS:
    bool submit() override;

private:
    void configure();
    bool rowIsDirty(int row) const;
    bool isUntouchedNewRow(int row) const;
    bool onlyUntouchedNewRowsPending() const;
    void stampRow(QSqlRecord& record, bool created) const;

    Connection& m_db;
    const Clock& m_clock;
    // Taking a row back moves the view's cursor, which asks to submit again; not meanwhile.
    bool m_busy = false;
};
