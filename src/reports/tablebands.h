#pragma once

#include "PageModel.h"
#include "ReportDefinition.h"
#include "reportformat.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <QVariantList>

#include <utility>

class PageFlow;

// The table part of a report: column headings on every page, then the rows with their group
// headers and footers, then the report footer. A text column's value that does not fit its
// column goes on over further lines, and its row grows to hold them.
class TableBands {
public:
    TableBands(const ReportDefinition& definition, const ReportData& data, PageFlow& flow);
    void run();

private:
    // What a footer counts and sums over its rows; sums in money units or plain numbers.
    struct Totals {
        qint64 rows = 0;
        qint64 groups = 0;
        QHash<int, qint64> sums;
    };

    void placeColumns();
    double columnX(int column) const { return m_spans.at(column).first; }
    double columnWidth(int column) const { return m_spans.at(column).second; }
    // Where a column's texts go across the page (x and width only).
    QRectF textSpan(int column) const;
    QRectF textSpan(int column, double rightGap) const;
    QRectF cellSpan(int column, const QString& text, TextStyle style) const;
    void cell(int column, const QString& text, TextStyle style, Band band);

    // One column's value on a row, as the lines it takes.
    struct Cell {
        int column = 0;
        QRectF span;
        QList<FittedText> lines;
    };
    // The group key columns of a group header, or the other columns of a detail line.
    QList<Cell> rowCells(const QVariantList& row, bool keys, TextStyle style) const;
    // How many lines the row takes: as many as its tallest cell.
    static qsizetype rowLines(const QList<Cell>& cells);
    void putRow(const QList<Cell>& cells, TextStyle style, Band band);

    void pageHeader();
    void detail(const QVariantList& row);
    void footer(const QList<FooterLine>& lines, const Totals& totals, Band band);
    void footerLine(const FooterLine& line, const Totals& totals, Band band);
    void sumRule(int column, const QString& text);
    QString figureText(const FooterFigure& figure, const Totals& totals) const;
    int columnOf(const QString& field) const;

    bool sameGroup(const QVariantList& a, const QVariantList& b) const;
    void count(const QVariantList& row, Totals& totals) const;

    const ReportDefinition& m_def;
    const ReportData& m_data;
    PageFlow& m_flow;
    double m_line;
    // Left edge and width of each column.
    QList<std::pair<double, double>> m_spans;
    bool m_hasKeys = false;
    // Per column, the row positions of its fields.
    QList<QList<int>> m_fieldIndexes;
    QList<int> m_keyIndexes;
    // Row positions of every summed field.
    QList<int> m_summed;
    // The group being printed, so a new page can repeat its header.
    const QVariantList* m_groupRow = nullptr;
};
