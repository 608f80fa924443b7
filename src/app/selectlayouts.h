#pragma once

#include "adjustments.h"
#include "catalogue.h"
#include "customers.h"

#include <QList>
#include <QString>
#include <QStringList>

// Which hits the selection list shows: members (visit and customer pages), copies of titles
// (product page) or adjustments (adjustment page).
enum class SelectLayout { Customers, Items, Adjustments };

struct SelectColumn {
    QString heading;
    int widthTwips = 0;
    // Amounts read right-aligned; everything else left.
    bool alignRight = false;
};

// The list as it is shown: its columns, and one row of cell texts per hit in hit order, each
// starting with its row number (1, 2, ...) under the heading "#".
struct SelectTable {
    QList<SelectColumn> columns;
    QList<QStringList> rows;
};

SelectTable CustomerSelectTable(const QList<CustomerRec>& hits);
// The title search leaves the status name, not its code, in each hit's Status.
SelectTable ItemSelectTable(const QList<ItemRec>& hits);
SelectTable AdjustmentSelectTable(const QList<AcctAdjustRec>& hits);
