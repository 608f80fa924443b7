#pragma once

#include "PageModel.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

// A Code 128 symbol as libzint lays it out, before it is put on a page. Lengths are in modules
// (the width of the narrowest bar), measured from the left edge of the leading quiet zone;
// every bar is one unit tall.
struct Code128 {
    QList<QRectF> bars;
    // The whole symbol with both quiet zones.
    double modules = 0;
};

// The symbol of `text`; none when Code 128 cannot hold it (libzint refuses the text).
std::optional<Code128> encodeCode128(const QString& text);

// The symbol centred at the top of `box`, as tall as the box and as wide as its modules at
// `moduleWidth` points, narrowed to fit the box's width.
PageBarcode placeBarcode(const Code128& code, const QRectF& box, double moduleWidth);
