#include "labelparts.h"

#include "barcode.h"
#include "reportformat.h"

#include <QMarginsF>
#include <QPageSize>

QPageLayout stockPage(const QSizeF& sizeMm, const QString& name) {
    const QPageSize size(sizeMm, QPageSize::Millimeter, name, QPageSize::ExactMatch);
    QPageLayout page(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
    page.setMode(QPageLayout::FullPageMode);
    return page;
}

void putText(ReportPage& page, const TextMeasure& measure, const QRectF& rect, const QString& text,
             TextStyle style, Qt::Alignment align) {
    const FittedText fitted = measure.fit(text, style, rect.width());
    PageText placed;
    placed.rect = rect;
    placed.text = fitted.text;
    placed.width = fitted.width;
    placed.align = align;
    placed.style = style;
    page.texts.append(placed);
}

void putCode(ReportPage& page, const TextMeasure& measure, const Code128& code, const QString& text,
             const QRectF& box) {
    const double line = measure.lineHeight(TextStyle::Normal);
    const QRectF bars(box.left(), box.top(), box.width(), box.height() - line);
    page.barcodes.append(placeBarcode(code, bars, ModuleMm * PointsPerMm));
    putText(page, measure, QRectF(box.left(), bars.bottom(), box.width(), line), text,
            TextStyle::Normal, Qt::AlignHCenter);
}
