#include "ReportPainter.h"

#include "reportformat.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <optional>

namespace {

QRectF scaled(const QRectF& rect, double scale) {
    return QRectF(rect.x() * scale, rect.y() * scale, rect.width() * scale, rect.height() * scale);
}

// Draws at the baseline rather than into a rectangle: no line breaking to work out, which
// matters on a report of some hundred pages.
void drawText(QPainter& painter, const QFontMetricsF& metrics, const PageText& text, double scale) {
    const QRectF rect = scaled(text.rect, scale);
    QString shown = text.text;
    double advance = text.width * scale;
    // The layout measured in points; where a text nearly fills its cell (or came unmeasured),
    // measure again on this device, so fonts that run wider here never spill into the neighbour.
    if (text.width <= 0 || text.width > 0.9 * text.rect.width()) {
        advance = metrics.horizontalAdvance(shown);
        if (advance > rect.width()) {
            shown = metrics.elidedText(shown, Qt::ElideRight, rect.width());
            advance = metrics.horizontalAdvance(shown);
        }
    }
    double x = rect.left();
    if (text.align.testFlag(Qt::AlignRight))
        x = rect.right() - advance;
    else if (text.align.testFlag(Qt::AlignHCenter))
        x = rect.center().x() - advance / 2;
    const double baseline = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPointF(x, baseline), shown);
}

} // namespace

void paintPage(QPainter& painter, const ReportPage& page, double scale) {
    painter.save();
    painter.setPen(QPen(Qt::black, 0.5 * scale));
    for (const QLineF& line : page.lines)
        painter.drawLine(QLineF(line.p1() * scale, line.p2() * scale));
    for (const PageBarcode& barcode : page.barcodes)
        for (const QRectF& bar : barcode.bars)
            painter.fillRect(scaled(bar, scale), Qt::black);
    std::optional<TextStyle> current;
    std::optional<QFontMetricsF> metrics;
    for (const PageText& text : page.texts) {
        if (current != text.style) {
            painter.setFont(reportFont(text.style));
            metrics.emplace(painter.font(), painter.device());
            current = text.style;
        }
        drawText(painter, *metrics, text, scale);
    }
    painter.restore();
}

bool paintReport(const PageModel& model, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / 72.0;
    for (int i = 0; i < model.pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintPage(painter, model.pages.at(i), scale);
    }
    return painter.end();
}

bool writePdf(const PageModel& model, const QString& path, const QString& title) {
    {
        QPdfWriter writer(path);
        writer.setPageLayout(model.pageLayout);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Vormel"));
        if (!paintReport(model, writer))
            return false;
    }
    const QFileInfo written(path);
    return written.exists() && written.size() > 0;
}
