#include "copylabels.h"

#include "labelparts.h"
#include "reportformat.h"

#include <algorithm>

namespace {

constexpr double SheetWidthMm = 210;
constexpr double SheetHeightMm = 297;
constexpr double SheetLabelWidthMm = 70;
constexpr double SheetLabelHeightMm = 37;
constexpr double RollWidthMm = 62;
constexpr double RollLabelHeightMm = 29;
// The sheet's labels leave what is over of its height as equal strips above and below.
constexpr double SheetTopMm = (SheetHeightMm - SheetRows * SheetLabelHeightMm) / 2;
// Kept free inside each label's edge: sheets and printers are never placed exactly.
constexpr double LabelPaddingMm = 2.5;
constexpr double GapMm = 1;

QPageLayout labelPage(LabelStock stock) {
    return stock == LabelStock::Sheet
               ? stockPage(QSizeF(SheetWidthMm, SheetHeightMm), QStringLiteral("A4 labels 3x8"))
               : stockPage(QSizeF(RollWidthMm, RollLabelHeightMm), QStringLiteral("62 mm label"));
}

void putLabel(ReportPage& page, const TextMeasure& measure, const EncodedLabel& label,
              const QRectF& cell) {
    const double pad = LabelPaddingMm * PointsPerMm;
    const double gap = GapMm * PointsPerMm;
    const QRectF inner = cell.adjusted(pad, pad, -pad, -pad);
    const double line = measure.lineHeight(TextStyle::Bold);
    // A short code gets room to spare: a printer's font may run a little wider than measured,
    // and a rate code must never be cut.
    const double rateWidth = std::min(
        measure.width(label.copy.rateCode, TextStyle::Bold) + CellPadding, inner.width() / 3);
    putText(page, measure, QRectF(inner.right() - rateWidth, inner.top(), rateWidth, line),
            label.copy.rateCode, TextStyle::Bold, Qt::AlignRight);
    putText(page, measure, QRectF(inner.left(), inner.top(), inner.width() - rateWidth - gap, line),
            label.copy.title, TextStyle::Bold);
    putCode(page, measure, label.code, label.copy.itemID, inner.adjusted(0, line + gap, 0, 0));
}

} // namespace

LabelRun encodeLabels(const QList<CopyLabel>& copies) {
    LabelRun run;
    for (const CopyLabel& copy : copies) {
        if (const std::optional<Code128> code = encodeCode128(copy.itemID))
            run.labels.append({copy, *code});
        else
            run.refused.append(copy.itemID);
    }
    return run;
}

LabelSpot labelSpot(LabelStock stock, int offset, int index) {
    if (stock == LabelStock::Roll)
        return {index, rectMm(0, 0, RollWidthMm, RollLabelHeightMm)};
    const int slot = offset + index;
    const int onSheet = slot % LabelsPerSheet;
    const int column = onSheet % SheetColumns;
    const int row = onSheet / SheetColumns;
    return {slot / LabelsPerSheet,
            rectMm(column * SheetLabelWidthMm, SheetTopMm + row * SheetLabelHeightMm,
                   SheetLabelWidthMm, SheetLabelHeightMm)};
}

PageModel layoutLabels(const QList<EncodedLabel>& labels, LabelStock stock, int offset) {
    PageModel model;
    model.pageLayout = labelPage(stock);
    model.area = model.pageLayout.paintRect(QPageLayout::Point).size();
    const TextMeasure measure;
    for (int index = 0; index < labels.size(); ++index) {
        const LabelSpot spot = labelSpot(stock, offset, index);
        while (model.pages.size() <= spot.page)
            model.pages.append(ReportPage());
        putLabel(model.pages[spot.page], measure, labels.at(index), spot.rect);
    }
    return model;
}
