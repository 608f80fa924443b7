#include "tablebands.h"

#include "Money.h"
#include "PageFlow.h"

#include <algorithm>

namespace {

qint64 unitsOf(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<Money>() ? value.value<Money>().units()
                                                            : value.toLongLong();
}

QString withCaption(const QString& caption, const QStringList& figures) {
    if (figures.isEmpty())
        return caption;
    const bool spaced = caption.isEmpty() || caption.endsWith(QLatin1Char(' '));
    return caption + (spaced ? QString() : QStringLiteral(" ")) +
           figures.join(QStringLiteral("  "));
}

// How far detail lines are set in under their group header.
constexpr double DetailIndent = 12;
// The room right of a figure column's texts.
constexpr double FigureGap = 2.5 * CellPadding;

} // namespace

TableBands::TableBands(const ReportDefinition& definition, const ReportData& data, PageFlow& flow)
    : m_def(definition), m_data(data), m_flow(flow),
      m_line(flow.measure().lineHeight(TextStyle::Normal)) {
    placeColumns();
    for (const ReportColumn& column : m_def.columns) {
        QList<int> indexes;
        for (const QString& field : column.fields)
            indexes.append(m_data.indexOf(field));
        m_fieldIndexes.append(indexes);
    }
    if (m_def.group) {
        for (const QString& key : m_def.group->keyFields)
            m_keyIndexes.append(m_data.indexOf(key));
    }
    QList<FooterLine> footers = m_def.footer;
    if (m_def.group)
        footers += m_def.group->footer;
    for (const FooterLine& line : footers) {
        for (const FooterFigure& figure : line.figures) {
            if (figure.kind == Aggregate::Sum && !m_summed.contains(m_data.indexOf(figure.field)))
                m_summed.append(m_data.indexOf(figure.field));
        }
    }
}

void TableBands::placeColumns() {
    // The group key columns and the detail columns each run from the left on their own lines;
    // one width unit is the same length on both, and the wider set fills the page.
    m_hasKeys = std::any_of(m_def.columns.cbegin(), m_def.columns.cend(),
                            [](const ReportColumn& c) { return c.groupKey; });
    const double indent = m_hasKeys ? DetailIndent : 0;
    double keyUnits = 0;
    double detailUnits = 0;
    for (const ReportColumn& column : m_def.columns)
        (column.groupKey ? keyUnits : detailUnits) += column.width;
    const double unit = (m_flow.width() - indent) / qMax(qMax(keyUnits, detailUnits), 1.0);
    double keyX = 0;
    double detailX = indent;
    for (const ReportColumn& column : m_def.columns) {
        double& x = column.groupKey ? keyX : detailX;
        m_spans.append({x, column.width * unit});
        x += column.width * unit;
    }
}

void TableBands::run() {
    pageHeader();
    m_flow.setPageStart([this] {
        pageHeader();
        if (m_groupRow)
            putRow(rowCells(*m_groupRow, true, TextStyle::Bold), TextStyle::Bold,
                   Band::GroupHeader);
    });
    Totals report;
    Totals group;
    for (const QVariantList& row : m_data.rows) {
        if (m_def.group && !(m_groupRow && sameGroup(*m_groupRow, row))) {
            if (m_groupRow)
                footer(m_def.group->footer, group, Band::GroupFooter);
            group = Totals{};
            ++report.groups;
            m_groupRow = nullptr;
            const QList<Cell> header = rowCells(row, true, TextStyle::Bold);
            // Keep the header with its first line.
            m_flow.reserve(m_line * (rowLines(header) + 1.4));
            if (!m_flow.atPageTop())
                m_flow.advance(m_line * 0.4);
            putRow(header, TextStyle::Bold, Band::GroupHeader);
            m_groupRow = &row;
        }
        detail(row);
        count(row, group);
        count(row, report);
    }
    if (m_groupRow)
        footer(m_def.group->footer, group, Band::GroupFooter);
    m_groupRow = nullptr;
    m_flow.advance(m_line * 0.4);
    footer(m_def.footer, report, Band::ReportFooter);
    m_flow.setPageStart({});
}

QRectF TableBands::textSpan(int column, double rightGap) const {
    return QRectF(columnX(column) + CellPadding, 0, columnWidth(column) - CellPadding - rightGap,
                  0);
}

QRectF TableBands::textSpan(int column) const {
    // Figures keep a wider gap on their right, so a date or a member number after an amount
    // does not read as part of it.
    const bool figure = m_def.columns.at(column).align.testFlag(Qt::AlignRight);
    return textSpan(column, figure ? FigureGap : CellPadding);
}

QRectF TableBands::cellSpan(int column, const QString& text, TextStyle style) const {
    const QRectF span = textSpan(column);
    // A large figure gives up the wider gap rather than lose digits.
    if (m_flow.measure().width(text, style) > span.width())
        return textSpan(column, CellPadding);
    return span;
}

void TableBands::cell(int column, const QString& text, TextStyle style, Band band) {
    const QRectF span = cellSpan(column, text, style);
    m_flow.text(span.x(), span.width(), m_line, text, m_def.columns.at(column).align, style, band);
}

QList<TableBands::Cell> TableBands::rowCells(const QVariantList& row, bool keys,
                                             TextStyle style) const {
    QList<Cell> cells;
    for (int c = 0; c < m_def.columns.size(); ++c) {
        const ReportColumn& column = m_def.columns.at(c);
        if (column.groupKey != keys)
            continue;
        const QString text = columnText(column, m_fieldIndexes.at(c), row);
        if (text.isEmpty())
            continue;
        const QRectF span = cellSpan(c, text, style);
        const TextMeasure& measure = m_flow.measure();
        // Figures and dates fit their columns by width; only text runs on over lines.
        cells.append({c, span,
                      column.format == FieldFormat::Text
                          ? measure.wrap(text, style, span.width())
                          : QList<FittedText>{measure.fit(text, style, span.width())}});
    }
    return cells;
}

qsizetype TableBands::rowLines(const QList<Cell>& cells) {
    qsizetype lines = 1;
    for (const Cell& cell : cells)
        lines = qMax(lines, cell.lines.size());
    return lines;
}

void TableBands::putRow(const QList<Cell>& cells, TextStyle style, Band band) {
    for (const Cell& cell : cells)
        m_flow.lines(cell.span.x(), cell.span.width(), m_line, cell.lines,
                     m_def.columns.at(cell.column).align, style, band);
    m_flow.advance(m_line * rowLines(cells));
}

void TableBands::pageHeader() {
    // Headings of the group keys on a line of their own, over the group header lines.
    for (bool keys : {true, false}) {
        if (keys && !m_hasKeys)
            continue;
        for (int c = 0; c < m_def.columns.size(); ++c) {
            if (m_def.columns.at(c).groupKey == keys)
                cell(c, m_def.columns.at(c).heading, TextStyle::Heading, Band::PageHeader);
        }
        m_flow.advance(m_line);
    }
    m_flow.rule(0, m_flow.width(), 1);
    m_flow.advance(m_line * 0.3);
}

void TableBands::detail(const QVariantList& row) {
    const QList<Cell> cells = rowCells(row, false, TextStyle::Normal);
    m_flow.reserve(m_line * rowLines(cells));
    putRow(cells, TextStyle::Normal, Band::Detail);
}

void TableBands::footer(const QList<FooterLine>& lines, const Totals& totals, Band band) {
    // A footer stays together on one page.
    m_flow.reserve(m_line * lines.size());
    for (const FooterLine& line : lines)
        footerLine(line, totals, band);
}

void TableBands::footerLine(const FooterLine& line, const Totals& totals, Band band) {
    QStringList inlineFigures;
    QList<std::pair<int, QString>> placed;
    for (const FooterFigure& figure : line.figures) {
        const int column = figure.kind == Aggregate::Sum ? columnOf(figure.field) : -1;
        if (column >= 0)
            placed.append({column, figureText(figure, totals)});
        else
            inlineFigures.append(figureText(figure, totals));
    }
    double captionWidth = m_flow.width();
    for (const auto& [column, text] : placed) {
        captionWidth = qMin(captionWidth, columnX(column));
        sumRule(column, text);
        cell(column, text, TextStyle::Bold, band);
    }
    const Qt::Alignment align = placed.isEmpty() ? Qt::AlignLeft : Qt::AlignRight;
    m_flow.text(CellPadding, captionWidth - 2 * CellPadding, m_line,
                withCaption(line.caption, inlineFigures), align, TextStyle::Bold, band);
    m_flow.advance(m_line);
}

void TableBands::sumRule(int column, const QString& text) {
    // A short rule over the figure, at the side the column's texts keep to.
    const QRectF span = textSpan(column);
    const double width =
        qMin(span.width(), m_flow.measure().width(text, TextStyle::Bold) + 2 * CellPadding);
    const bool right = m_def.columns.at(column).align.testFlag(Qt::AlignRight);
    m_flow.rule(right ? span.right() - width : span.left(), width);
}

QString TableBands::figureText(const FooterFigure& figure, const Totals& totals) const {
    switch (figure.kind) {
    case Aggregate::Rows:
        return QString::number(totals.rows);
    case Aggregate::Groups:
        return QString::number(totals.groups);
    case Aggregate::Sum:
        break;
    }
    const qint64 sum = totals.sums.value(m_data.indexOf(figure.field));
    const int column = columnOf(figure.field);
    if (column >= 0 && m_def.columns.at(column).format == FieldFormat::Amount)
        return Money::fromUnits(sum).format();
    return QString::number(sum);
}

int TableBands::columnOf(const QString& field) const {
    for (int c = 0; c < m_def.columns.size(); ++c) {
        if (m_def.columns.at(c).fields.contains(field))
            return c;
    }
    return -1;
}

bool TableBands::sameGroup(const QVariantList& a, const QVariantList& b) const {
    for (int index : m_keyIndexes) {
        if (a.value(index) != b.value(index))
            return false;
    }
    return true;
}

void TableBands::count(const QVariantList& row, Totals& totals) const {
    ++totals.rows;
    for (int index : m_summed)
        totals.sums[index] += unitsOf(row.value(index));
}
