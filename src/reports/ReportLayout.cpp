#include "ReportLayout.h"

#include "PageFlow.h"
#include "reportformat.h"
#include "tablebands.h"

#include <QMarginsF>
#include <QPageSize>
#include <QRegularExpression>

namespace {

void reportHeader(PageFlow& flow, const ReportDefinition& def, const PrintInfo& info) {
    const TextMeasure& measure = flow.measure();
    const double titleHeight = measure.lineHeight(TextStyle::Title);
    const double line = measure.lineHeight(TextStyle::Normal);
    flow.text(0, flow.width(), titleHeight, def.title, Qt::AlignLeft, TextStyle::Title,
              Band::ReportHeader);
    flow.advance(titleHeight);
    const QString printed =
        QStringLiteral("Print Date: ") + info.printed.toString(QStringLiteral("dd/MM/yyyy hh:mm"));
    const double printedWidth = measure.width(printed, TextStyle::Normal) + 2;
    flow.text(flow.width() - printedWidth, printedWidth, line, printed, Qt::AlignRight,
              TextStyle::Normal, Band::ReportHeader);
    const QStringList criteria =
        def.showCriteria ? def.criteria.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))
                         : QStringList{};
    const double criteriaWidth = flow.width() - printedWidth - 8;
    for (const QString& text : criteria) {
        flow.text(0, criteriaWidth, line, text, Qt::AlignLeft, TextStyle::Bold, Band::ReportHeader);
        flow.advance(line);
    }
    if (criteria.isEmpty())
        flow.advance(line);
    flow.advance(line);
}

QList<double> blockEdges(const FormBlock& block, double width) {
    double total = 0;
    for (double share : block.columns)
        total += share;
    QList<double> x{0};
    for (double share : block.columns)
        x.append(x.last() + share * width / total);
    return x;
}

void formBlock(PageFlow& flow, const FormBlock& block) {
    const double line = flow.measure().lineHeight(TextStyle::Normal);
    flow.reserve(line * (block.lines.size() + 1));
    const QList<double> x = blockEdges(block, flow.width());
    for (int i = 0; i < block.lines.size(); ++i) {
        for (const FormCell& cell : block.lines.at(i)) {
            const int last = qMin(cell.column + cell.span, int(x.size()) - 1);
            flow.text(x.at(cell.column) + CellPadding,
                      x.at(last) - x.at(cell.column) - 2 * CellPadding, line, cell.text, cell.align,
                      cell.bold ? TextStyle::Bold : TextStyle::Normal, Band::Block);
        }
        flow.advance(line);
        if (i + 1 == block.headingLines)
            flow.rule(0, x.last(), -1);
    }
    flow.advance(line);
}

double footerHeight(const TextMeasure& measure) {
    return measure.lineHeight(TextStyle::Small) * 2;
}

PageText footerText(const TextMeasure& measure, const QRectF& rect, const QString& text,
                    Qt::Alignment align) {
    const FittedText fitted = measure.fit(text, TextStyle::Small, rect.width());
    return PageText{rect, fitted.text, align, TextStyle::Small, Band::PageFooter, fitted.width};
}

void pageFooters(PageModel& model, const TextMeasure& measure, const PrintInfo& info) {
    const double line = measure.lineHeight(TextStyle::Small);
    const double top = model.area.height() - line;
    const double half = model.area.width() / 2;
    const int count = model.pages.size();
    for (int i = 0; i < count; ++i) {
        ReportPage& page = model.pages[i];
        const QString number = QStringLiteral("Page %1 of %2").arg(i + 1).arg(count);
        page.lines.append(QLineF(0, top - 2, model.area.width(), top - 2));
        page.texts.append(
            footerText(measure, QRectF(0, top, half, line), info.shopName, Qt::AlignLeft));
        page.texts.append(
            footerText(measure, QRectF(half, top, half, line), number, Qt::AlignRight));
    }
}

} // namespace

QPageLayout defaultPageLayout(const ReportDefinition& definition) {
    return QPageLayout(QPageSize(QPageSize::A4), definition.orientation, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

PageModel layoutReport(const Report& report, const PrintInfo& info, const QPageLayout& pageLayout) {
    PageModel model;
    model.pageLayout = pageLayout;
    model.area = pageLayout.paintRect(QPageLayout::Point).size();
    const TextMeasure measure;
    PageFlow flow(model, measure, footerHeight(measure));
    flow.newPage();
    reportHeader(flow, report.definition, info);
    for (const FormBlock& block : report.definition.blocks)
        formBlock(flow, block);
    if (!report.definition.columns.isEmpty())
        TableBands(report.definition, report.data, flow).run();
    pageFooters(model, measure, info);
    return model;
}
