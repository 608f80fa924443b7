#include "frmSelectRecord.h"

#include "AppContext.h"
#include "KeyPreview.h"
#include "StatusClock.h"
#include "formutil.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr Qt::Alignment LeftCentre = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment RightCentre = Qt::AlignRight | Qt::AlignVCenter;
// Tall enough for about ten rows.
constexpr int ListHeight = 420;

QPushButton* newButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter belongs to OK wherever the focus is, not to the focused button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmSelectRecord::frmSelectRecord(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmSelectRecord"));
    setWindowTitle(QStringLiteral("Record Selection"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    setupGrid(*layout);
    setupButtons(*layout);
    setupStatusBar(*layout);
    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
}

void frmSelectRecord::setupGrid(QVBoxLayout& layout) {
    msgSelectRecord = new QTableWidget(this);
    msgSelectRecord->setObjectName(QStringLiteral("msgSelectRecord"));
    msgSelectRecord->verticalHeader()->hide();
    // A narrow column's heading ("Rate Code") wraps rather than being cut off.
    msgSelectRecord->horizontalHeader()->setDefaultAlignment(LeftCentre |
                                                             Qt::Alignment(Qt::TextWordWrap));
    msgSelectRecord->horizontalHeader()->setHighlightSections(false);
    msgSelectRecord->setEditTriggers(QAbstractItemView::NoEditTriggers);
    msgSelectRecord->setSelectionBehavior(QAbstractItemView::SelectRows);
    msgSelectRecord->setSelectionMode(QAbstractItemView::SingleSelection);
    msgSelectRecord->setWordWrap(false);
    connect(msgSelectRecord, &QTableWidget::cellDoubleClicked, this, &frmSelectRecord::accept);
    layout.addWidget(msgSelectRecord);
}

void frmSelectRecord::setupButtons(QVBoxLayout& layout) {
    cmdSave = newButton(QStringLiteral("OK (F12)"), QStringLiteral("cmdSave"), this);
    cmdCancel = newButton(QStringLiteral("Cancel (Esc)"), QStringLiteral("cmdCancel"), this);
    connect(cmdSave, &QPushButton::clicked, this, &frmSelectRecord::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSelectRecord::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdSave);
    row->addWidget(cmdCancel);
    layout.addLayout(row);
}

void frmSelectRecord::setupStatusBar(QVBoxLayout& layout) {
    sbMain = new QStatusBar(this);
    FillStatusBar(*sbMain, m_ctx.clock);
    layout.addWidget(sbMain);
}

bool frmSelectRecord::previewKey(QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_F12:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}

void frmSelectRecord::Start(QWidget& caller, SelectLayout layout) {
    m_caller = &caller;
    caller.hide();
    if (m_state.startShowing())
        fill(tableFor(layout));
    showRow(m_state.currentRow());
    exec();
}

void frmSelectRecord::accept() {
    const int row = msgSelectRecord->currentRow();
    if (row < 0)
        return;
    m_state.choose(row);
    QDialog::accept();
}

void frmSelectRecord::reject() {
    m_state.cancel();
    QDialog::reject();
    if (m_caller) {
        m_caller->show();
        m_caller->activateWindow();
    }
}

SelectTable frmSelectRecord::tableFor(SelectLayout layout) const {
    switch (layout) {
    case SelectLayout::Items:
        return ItemSelectTable(m_ctx.ItemMatches);
    case SelectLayout::Adjustments:
        return AdjustmentSelectTable(m_ctx.AdjustMatches);
    case SelectLayout::Customers:
        break;
    }
    return CustomerSelectTable(m_ctx.CustomerMatches);
}

void frmSelectRecord::fill(const SelectTable& table) {
    msgSelectRecord->clear();
    msgSelectRecord->setRowCount(0);
    msgSelectRecord->setColumnCount(int(table.columns.size()));
    int gridWidth = 0;
    for (int column = 0; column < table.columns.size(); ++column) {
        const SelectColumn& c = table.columns[column];
        auto* heading = new QTableWidgetItem(c.heading);
        if (c.alignRight)
            heading->setTextAlignment(RightCentre);
        msgSelectRecord->setHorizontalHeaderItem(column, heading);
        msgSelectRecord->setColumnWidth(column, twipsToPixels(c.widthTwips));
        gridWidth += twipsToPixels(c.widthTwips);
    }
    fitHeadings();
    msgSelectRecord->setRowCount(int(table.rows.size()));
    for (int row = 0; row < table.rows.size(); ++row)
        fillRow(row, table);
    // Room for every column and the scroll bar, so no column hides off to the right.
    const int frame = 2 * msgSelectRecord->frameWidth();
    msgSelectRecord->setMinimumWidth(gridWidth + frame +
                                     msgSelectRecord->verticalScrollBar()->sizeHint().width());
    adjustSize();
    resize(width(), std::max(height(), ListHeight));
}

// A heading wider than its column ("Rate Code") wraps, so the heading row grows to two lines.
void frmSelectRecord::fitHeadings() {
    QHeaderView* header = msgSelectRecord->horizontalHeader();
    const QFontMetrics metrics(header->font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    bool wraps = false;
    for (int column = 0; column < msgSelectRecord->columnCount(); ++column) {
        const QString heading = msgSelectRecord->horizontalHeaderItem(column)->text();
        wraps |=
            metrics.horizontalAdvance(heading) + padding > msgSelectRecord->columnWidth(column);
    }
    header->setMinimumHeight(wraps ? 2 * metrics.lineSpacing() + padding : 0);
}

// The row number sits in a grey column of its own that is never highlighted.
void frmSelectRecord::fillRow(int row, const SelectTable& table) {
    const QStringList& cells = table.rows[row];
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        const bool right = table.columns[column].alignRight;
        item->setTextAlignment(right ? RightCentre : LeftCentre);
        if (column == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(palette().button());
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
        msgSelectRecord->setItem(row, column, item);
    }
}

void frmSelectRecord::showRow(int row) {
    msgSelectRecord->setCurrentCell(row, 1);
    msgSelectRecord->scrollTo(msgSelectRecord->model()->index(row, 1));
    msgSelectRecord->setFocus();
}
