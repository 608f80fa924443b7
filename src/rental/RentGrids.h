#pragma once

#include "Visit.h"
#include "lineflags.h"

#include <QColor>
#include <QList>

class QPalette;
class QSettings;
class QTableWidget;

// The columns both lists share; the returned list shows only the number, item and title.
enum RentColumn {
    ColNumber,
    ColItemID,
    ColBegin,
    ColRenew,
    ColTitle,
    ColQty,
    ColOS,
    ColLate,
    ColSubTotal,
    ColDue,
    RentColumnCount
};

// Headings, widths, alignment and heading colours of the two lists. Each shown column opens at
// least as wide as its heading and its longest value need in the grid's type.
void SetupRentGrid(QTableWidget& grid);
void SetupReturnGrid(QTableWidget& grid);

// The width that shows every column without scrolling sideways.
int FullWidth(const QTableWidget& grid);

// Remembered widths replace the laid-out ones only when the "#" column has one of its own.
void RestoreColumnWidths(QTableWidget& grid, QSettings& settings);

// One row per line not deleted, numbered from 1, coloured by what happened to the line.
void FillRentGrid(QTableWidget& grid, const QList<OrderLine>& lines);
void FillReturnGrid(QTableWidget& grid, const QList<ReturnEntry>& returns);

// The rental rows whose line is new or changed its colour since `before`, in list order.
QList<int> ChangedRows(const QList<OrderLine>& before, const QList<OrderLine>& after);

// Text colour of a rental row; invalid where the row keeps the list's own colour.
QColor RowTextColour(LineColour colour, const QPalette& palette);

// Top rows as the keys count them: 1 is the first row under the heading.
int TopRow(const QTableWidget& grid);
void SetTopRow(QTableWidget& grid, int top);
// The top row after Page Up or Page Down on a list of `rows` rows, heading included.
int PagedTopRow(int top, int rows, bool up);
// A row out of sight is scrolled up to be the top row.
void ShowRow(QTableWidget& grid, int row);
