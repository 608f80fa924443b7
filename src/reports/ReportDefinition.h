#pragma once

#include <QDateTime>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// What a report shows, independent of any page or device: the engine turns a definition and
// its rows into pages (ReportLayout.h), draws them (ReportPainter.h) or exports the rows
// (ReportCsv.h).

// How a value is written: text as it stands, amounts "#,##0.00", dates "dd/MM/yyyy" (the
// no-date marker and a missing date print blank), counts as whole numbers.
enum class FieldFormat { Text, Amount, Date, Count };

// One column of the table. A column may show several fields of the row side by side (a
// member's two phone numbers, a rental period), joined by `joiner`; empty values are left out.
struct ReportColumn {
    QString heading;
    QStringList fields;
    // A share of the printable width (see groupKey).
    double width = 1;
    Qt::Alignment align = Qt::AlignLeft;
    FieldFormat format = FieldFormat::Text;
    // Group key columns print on the group header line, the others on the detail lines, each
    // set running from the left (details set in a little); a width unit is the same on both.
    bool groupKey = false;
    QString joiner = QStringLiteral(" ");
};

// What a footer figure counts. Sums stand under the column that shows their field; counts
// follow the line's caption ("Record Count = 12").
enum class Aggregate {
    Sum,   // the field's total over the footer's rows
    Rows,  // the number of detail rows
    Groups // the number of groups (report footer only)
};

struct FooterFigure {
    Aggregate kind = Aggregate::Sum;
    // The summed field (Sum only).
    QString field;
};

struct FooterLine {
    QString caption;
    QList<FooterFigure> figures;
};

// Rows that share the values of every key field form one group: a header line with the group
// key columns, the detail lines, then the footer lines over the group's rows. The rows must
// come ordered by the key fields.
struct ReportGroup {
    QStringList keyFields;
    QList<FooterLine> footer;
};

// A free block of texts on a grid of columns, for a report that prints one record as labelled
// figures instead of a table.
struct FormCell {
    int column = 0;
    int span = 1;
    QString text;
    Qt::Alignment align = Qt::AlignLeft;
    bool bold = false;
};

struct FormBlock {
    // Shares of the printable width, as for table columns.
    QList<double> columns;
    QList<QList<FormCell>> lines;
    // The first lines are the block's headings, ruled off from the figures below.
    int headingLines = 0;
};

struct ReportDefinition {
    // The report's name in the program: "rptSales", "DailyTxRpt", ...
    QString name;
    QString title;
    // Printed under the title; a line break ('\n') starts a second line.
    QString criteria;
    bool showCriteria = true;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // Printed after the report header, before the table.
    QList<FormBlock> blocks;
    QList<ReportColumn> columns;
    std::optional<ReportGroup> group;
    QList<FooterLine> footer;
};

// The rows of one flat query: values typed as their fields are (QString, QDate, Money,
// qint64), each row in the order of `fields`.
struct ReportData {
    QStringList fields;
    QList<QVariantList> rows;

    int indexOf(const QString& field) const { return fields.indexOf(field); }
};

struct Report {
    ReportDefinition definition;
    ReportData data;
};

// What every page shows besides the data.
struct PrintInfo {
    QString shopName;
    QDateTime printed;
};
