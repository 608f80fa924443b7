#include "categoryGrid.h"

#include "categoryModel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace {

// An amount as it may stand while being typed: sign, digits with or without thousands commas,
// up to four decimals. Letters never get into the cell.
const QRegularExpression
    AmountShape(QStringLiteral(R"(\s*[+-]?(\d{1,3}(,\d{3})+|\d*)(\.\d{0,4})?\s*)"));

class RateDelegate : public QStyledItemDelegate {
public:
    RateDelegate(const CategoryModel& model, QObject* parent)
        : QStyledItemDelegate(parent), m_model(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = qobject_cast<QLineEdit*>(editor);
        if (box && m_model.isAmountColumn(index.column()))
            box->setValidator(new QRegularExpressionValidator(AmountShape, box));
        return editor;
    }

private:
    const CategoryModel& m_model;
};

// Widths in pixels of the eight columns, in order.
constexpr int ColumnWidths[] = {80, 200, 100, 90, 100, 90, 70, 90};

} // namespace

CategoryGrid::CategoryGrid(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("dgdCategory"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setAlternatingRowColors(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
}

void CategoryGrid::setCategoryModel(CategoryModel* model) {
    m_model = model;
    setModel(model);
    setItemDelegate(new RateDelegate(*model, this));
    // Every fresh read of the rows resets the columns; the hidden ones must stay hidden.
    connect(model, &QAbstractItemModel::modelReset, this, &CategoryGrid::showColumns);
    // Once the move that stored it is over, the cursor goes back to a row that was refused.
    connect(model, &CategoryModel::rowRefused, this, &CategoryGrid::returnTo, Qt::QueuedConnection);
    showColumns();
}

void CategoryGrid::showColumns() {
    if (m_model->isReleased())
        return;
    const QList<int> visible = m_model->visibleColumns();
    for (int column = 0; column < m_model->columnCount(); ++column)
        setColumnHidden(column, !visible.contains(column));
    for (int i = 0; i < visible.size(); ++i)
        setColumnWidth(visible[i], ColumnWidths[i]);
}

// Moving off a new row the clerk typed nothing into takes it away again.
void CategoryGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (previous.isValid() && current.row() != previous.row())
        m_model->dropIfUntouched(previous.row());
}

void CategoryGrid::finishEditing() {
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CategoryGrid::editRow(int row) {
    const QModelIndex first = m_model->index(row, m_model->visibleColumns().first());
    setCurrentIndex(first);
    scrollTo(first);
    edit(first);
}

void CategoryGrid::returnTo(int row) {
    if (row >= 0 && row < m_model->rowCount())
        setCurrentIndex(m_model->index(row, currentIndex().column()));
}
