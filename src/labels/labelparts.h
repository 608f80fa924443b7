#pragma once

#include "PageModel.h"

#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

struct Code128;
class TextMeasure;

// What copy labels and member cards are made of. Lengths are in points unless named in mm.
constexpr double PointsPerMm = 72 / 25.4;
// Wide enough bars for any hand scanner; narrower only where the symbol would not fit.
constexpr double ModuleMm = 0.4;

inline QRectF rectMm(double x, double y, double width, double height) {
    return {x * PointsPerMm, y * PointsPerMm, width * PointsPerMm, height * PointsPerMm};
}

// A page of exactly this size, printed to its edges: the stock is cut to it.
QPageLayout stockPage(const QSizeF& sizeMm, const QString& name);

// One line of text, cut with an ellipsis to the rectangle's width.
void putText(ReportPage& page, const TextMeasure& measure, const QRectF& rect, const QString& text,
             TextStyle style, Qt::Alignment align = Qt::AlignLeft);

// The symbol across the top of `box`, with `text` on a line under it.
void putCode(ReportPage& page, const TextMeasure& measure, const Code128& code, const QString& text,
             const QRectF& box);
