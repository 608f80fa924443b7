#pragma once

#include "PageModel.h"
#include "ReportDefinition.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// Room, in points, kept free on each side of a cell's text so neighbours never touch.
constexpr double CellPadding = 4;

// How a value reads on the printed page (see FieldFormat).
QString formatValue(const QVariant& value, FieldFormat format);
// What a column shows for one row: its fields formatted and joined, empty ones left out, as
// one line of text.
// `indexes` are the positions of the column's fields in the row.
QString columnText(const ReportColumn& column, const QList<int>& indexes, const QVariantList& row);

// The fonts of the pages; one family list for Latin and Chinese text alike.
QFont reportFont(TextStyle style);

struct FittedText {
    QString text;
    double width = 0;
};

// Text measured in points, the same on every device, for the layout. Remembers what it measured:
// the same dates, amounts and titles come back on line after line.
class TextMeasure {
public:
    TextMeasure();
    double width(const QString& text, TextStyle style) const;
    // The distance from one line of this style to the next.
    double lineHeight(TextStyle style) const;
    // The text, cut with an ellipsis when it is wider than `width`, and how wide it runs. Equal
    // texts come back sharing one copy, so a report of many pages keeps each value once.
    FittedText fit(const QString& text, TextStyle style, double width) const;
    // The text broken into lines no wider than `width`, at word boundaries; a word wider than a
    // whole line is broken between its characters. A text that fits is its own one line.
    QList<FittedText> wrap(const QString& text, TextStyle style, double width) const;

private:
    const QFontMetricsF& metrics(TextStyle style) const { return m_metrics.at(int(style)); }
    // The text as first measured, and its width.
    FittedText measured(const QString& text, TextStyle style) const;
    // One each per TextStyle, in its order.
    QList<QFontMetricsF> m_metrics;
    mutable QList<QHash<QString, double>> m_widths;
};
