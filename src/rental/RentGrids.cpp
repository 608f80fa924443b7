#include "RentGrids.h"

#include "formutil.h"
#include "utility.h"

#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <array>

namespace {

struct Column {
    const char* heading;
    int twips;
    // The widest text the column can hold; empty where a long value may be cut.
    const char* longest;
};
using Layout = std::array<Column, RentColumnCount>;

// Seven-digit amounts, grouped or not, fit.
constexpr const char* Amount = "7,777,777.00";
constexpr Layout RentLayout{{{"#", 465, "999"},
                             {"ItemID", 930, "W00000"},
                             {"Begin", 1050, "00/00/0000 00:00"},
                             {"Renew", 780, "99"},
                             {"Title", 4290, ""},
                             {"Qty", 465, "99"},
                             {"OS$", 630, Amount},
                             {"Late$", 645, Amount},
                             {"SubTotal$", 1050, Amount},
                             {"Due Date", 1050, "00/00/0000"}}};
// The returned list keeps every column but shows only the item and its title.
constexpr Layout ReturnLayout{{{"#", 465, "999"},
                               {"ItemID (Return)", 1965, "W00000"},
                               {"Begin", 0, ""},
                               {"Renew", 0, ""},
                               {"Title", 8895, ""},
                               {"Qty", 0, ""},
                               {"OS$", 0, ""},
                               {"Late$", 0, ""},
                               {"SubTotal$", 0, ""},
                               {"Due Date", 0, ""}}};

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;

// Amounts and the due date read from the right, like the counts.
Qt::Alignment cellAlignment(int column) {
    switch (column) {
    case ColItemID:
    case ColBegin:
    case ColTitle:
        return Left;
    default:
        return Right;
    }
}

// The laid-out width, widened where the grid's type needs more for the heading or the longest
// value; a hidden column stays hidden.
int openingWidth(const QTableWidget& grid, int column, const Column& layout) {
    if (layout.twips == 0)
        return 0;
    // A cell's text keeps a margin on either side, and the grid line takes a pixel.
    const int margins =
        2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1) + 1;
    const int longest =
        grid.fontMetrics().horizontalAdvance(QString::fromLatin1(layout.longest)) + margins;
    return std::max(
        {twipsToPixels(layout.twips), longest, grid.horizontalHeader()->sectionSizeHint(column)});
}

// The heading row stands apart in the system's accent colour, the "#" heading excepted.
void layOut(QTableWidget& grid, const Layout& columns, bool amountHeadingsRight) {
    // A small type keeps all ten columns beside the totals.
    QFont small = grid.font();
    small.setPointSizeF(7.5);
    grid.setFont(small);
    grid.setColumnCount(RentColumnCount);
    grid.setRowCount(0);
    grid.verticalHeader()->hide();
    grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + 4);
    grid.horizontalHeader()->setMinimumSectionSize(0);
    grid.horizontalHeader()->setHighlightSections(false);
    grid.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionMode(QAbstractItemView::NoSelection);
    grid.setFocusPolicy(Qt::NoFocus);
    grid.setWordWrap(false);
    const QColor headingColour = grid.palette().color(QPalette::Highlight);
    for (int c = 0; c < RentColumnCount; ++c) {
        auto* heading = new QTableWidgetItem(QString::fromLatin1(columns[c].heading));
        if (c == ColNumber) {
            heading->setTextAlignment(Qt::AlignCenter);
        } else {
            heading->setForeground(headingColour);
            heading->setTextAlignment(amountHeadingsRight && c >= ColOS ? Right : Left);
        }
        grid.setHorizontalHeaderItem(c, heading);
        grid.setColumnWidth(c, openingWidth(grid, c, columns[c]));
    }
}

// A cell cut short by its column still shows all of its text on hover.
QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    item->setTextAlignment(alignment);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

// The row number sits in a fixed column that looks like the heading.
void showRow(QTableWidget& grid, int row, const QStringList& texts, const QColor& colour) {
    QTableWidgetItem* number = cell(QString::number(row + 1), Qt::AlignCenter);
    number->setBackground(grid.palette().button());
    grid.setItem(row, ColNumber, number);
    for (int c = ColItemID; c < RentColumnCount; ++c) {
        QTableWidgetItem* item = cell(texts.value(c - ColItemID), cellAlignment(c));
        if (colour.isValid())
            item->setForeground(colour);
        grid.setItem(row, c, item);
    }
}

QStringList rentTexts(const OrderLine& line) {
    return {line.ItemID,
            ClockText(line.StartDate),
            QString::number(line.LastRenewIndex),
            line.item.ProductName,
            FormatCount(line.item.Quantity),
            line.OSAmt.formatPlain(),
            line.LateAmt.formatPlain(),
            (line.OSAmt + line.LateAmt).formatPlain(),
            line.IsSale ? QString() : DateToDisplay(line.EndDate)};
}

} // namespace

void SetupRentGrid(QTableWidget& grid) {
    layOut(grid, RentLayout, true);
}

void SetupReturnGrid(QTableWidget& grid) {
    layOut(grid, ReturnLayout, false);
}

int FullWidth(const QTableWidget& grid) {
    return grid.horizontalHeader()->length() + grid.verticalScrollBar()->sizeHint().width() +
           2 * grid.frameWidth();
}

void RestoreColumnWidths(QTableWidget& grid, QSettings& settings) {
    settings.beginGroup(grid.objectName());
    bool ok = false;
    const int numberWidth = settings.value(QStringLiteral("#")).toString().toInt(&ok);
    settings.endGroup();
    if (ok && numberWidth > 0)
        ReadColumnWidths(grid, settings);
}

// Rows are rewritten in place, so the list keeps its scroll position.
void FillRentGrid(QTableWidget& grid, const QList<OrderLine>& lines) {
    int row = 0;
    for (const OrderLine& line : lines) {
        if (line.IsDeleted)
            continue;
        grid.setRowCount(row + 1);
        showRow(grid, row++, rentTexts(line), RowTextColour(RowColour(line), grid.palette()));
    }
    grid.setRowCount(row);
}

void FillReturnGrid(QTableWidget& grid, const QList<ReturnEntry>& returns) {
    int row = 0;
    for (const ReturnEntry& entry : returns) {
        if (entry.IsDeleted)
            continue;
        grid.setRowCount(row + 1);
        QStringList texts(RentColumnCount - ColItemID);
        texts[0] = entry.ItemID;
        texts[ColTitle - ColItemID] = entry.Title;
        showRow(grid, row++, texts, QColor());
    }
    grid.setRowCount(row);
}

QList<int> ChangedRows(const QList<OrderLine>& before, const QList<OrderLine>& after) {
    QList<int> rows;
    int row = 0;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after[i].IsDeleted)
            continue;
        if (i >= before.size() || RowColour(before[i]) != RowColour(after[i]))
            rows.append(row);
        ++row;
    }
    return rows;
}

QColor RowTextColour(LineColour colour, const QPalette& palette) {
    switch (colour) {
    case LineColour::Returned:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case LineColour::Renewed:
        return QColor(0x00, 0x00, 0xFF);
    case LineColour::Settled:
        return QColor(0xC0, 0x40, 0x00);
    case LineColour::Overdue:
        return QColor(0xFF, 0x00, 0x00);
    case LineColour::Unchanged:
        break;
    }
    return QColor();
}

int TopRow(const QTableWidget& grid) {
    return grid.verticalScrollBar()->value() + 1;
}

void SetTopRow(QTableWidget& grid, int top) {
    grid.verticalScrollBar()->setValue(qMax(0, top - 1));
}

int PagedTopRow(int top, int rows, bool up) {
    const int page = 5;
    if (!up)
        return top + page < rows ? top + page : top;
    if (top > page)
        return top - page;
    return rows > 1 ? 1 : 0;
}

void ShowRow(QTableWidget& grid, int row) {
    const QRect shown = grid.visualRect(grid.model()->index(row, ColNumber));
    if (shown.top() < 0 || shown.bottom() > grid.viewport()->height())
        SetTopRow(grid, row + 1);
}
