#include "reportformat.h"

#include "Money.h"
#include "utility.h"

#include <QDate>
#include <QImage>
#include <QRegularExpression>
#include <QTextLayout>

QString formatValue(const QVariant& value, FieldFormat format) {
    switch (format) {
    case FieldFormat::Amount:
        return value.value<Money>().format();
    case FieldFormat::Date: {
        const QDate date = value.toDate();
        return date.isValid() && date != NoDate ? date.toString(QStringLiteral("dd/MM/yyyy"))
                                                : QString();
    }
    case FieldFormat::Count:
        return QString::number(value.toLongLong());
    case FieldFormat::Text:
        break;
    }
    return value.toString();
}

QString columnText(const ReportColumn& column, const QList<int>& indexes, const QVariantList& row) {
    QStringList parts;
    for (int index : indexes) {
        const QString text = formatValue(row.value(index), column.format);
        if (!text.isEmpty())
            parts.append(text);
    }
    QString text = parts.join(column.joiner);
    // Typed line breaks become spaces: where a long text breaks is the layout's to decide.
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
        text.replace(lineBreaks, QStringLiteral(" "));
    }
    return text;
}

QFont reportFont(TextStyle style) {
    // DejaVu for Latin text; the Noto CJK faces carry the members' Chinese names.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK TC"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::SansSerif);
    switch (style) {
    case TextStyle::Title:
        font.setPointSizeF(15);
        font.setBold(true);
        break;
    case TextStyle::Bold:
    case TextStyle::Heading:
        font.setPointSizeF(8.5);
        font.setBold(true);
        break;
    case TextStyle::Small:
        font.setPointSizeF(7.5);
        break;
    case TextStyle::Normal:
        font.setPointSizeF(8.5);
        break;
    }
    return font;
}

namespace {

// Fonts are measured on a fine-grained image so rounding does not matter, then scaled to points.
constexpr double MeasureDpi = 1200;
constexpr double PointsPerDot = 72.0 / MeasureDpi;

const QImage& measureDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMeter = qRound(MeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

constexpr int StyleCount = int(TextStyle::Small) + 1;

} // namespace

TextMeasure::TextMeasure() : m_widths(StyleCount) {
    for (int style = 0; style < StyleCount; ++style)
        m_metrics.append(QFontMetricsF(reportFont(TextStyle(style)), &measureDevice()));
}

FittedText TextMeasure::measured(const QString& text, TextStyle style) const {
    QHash<QString, double>& known = m_widths[int(style)];
    auto found = known.constFind(text);
    if (found == known.cend())
        found = known.insert(text, metrics(style).horizontalAdvance(text) * PointsPerDot);
    return {found.key(), found.value()};
}

double TextMeasure::width(const QString& text, TextStyle style) const {
    return measured(text, style).width;
}

double TextMeasure::lineHeight(TextStyle style) const {
    return metrics(style).height() * PointsPerDot * 1.2;
}

FittedText TextMeasure::fit(const QString& text, TextStyle style, double width) const {
    const FittedText full = measured(text, style);
    if (full.width <= width)
        return full;
    return measured(metrics(style).elidedText(text, Qt::ElideRight, width / PointsPerDot), style);
}

QList<FittedText> TextMeasure::wrap(const QString& text, TextStyle style, double width) const {
    const FittedText full = measured(text, style);
    if (full.width <= width)
        return {full};
    QTextLayout layout(text, reportFont(style), &measureDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<FittedText> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width / PointsPerDot);
        lines.append(measured(text.mid(line.textStart(), line.textLength()).trimmed(), style));
    }
    layout.endLayout();
    return lines;
}
