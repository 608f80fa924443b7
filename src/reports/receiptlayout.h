#pragma once

#include "PageModel.h"

#include <QPageLayout>

struct Receipt;

// Roll paper is at most this wide; anything wider gets the receipt on A4.
constexpr double NarrowPageMm = 100;
constexpr double RollWidthMm = 80;

bool IsNarrowPage(const QPageLayout& page);

// The receipt laid out for the printer's page: on a narrow page one 80 mm page as long as the
// receipt, each line's title above its figures; otherwise A4 pages, one line to a line.
// Needs a QGuiApplication (fonts are measured).
PageModel layoutReceipt(const Receipt& receipt, const QPageLayout& printerPage);
