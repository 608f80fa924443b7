#pragma once

#include "PageModel.h"
#include "ReportDefinition.h"

// A4 with 12 mm margins, in the orientation the report asks for.
QPageLayout defaultPageLayout(const ReportDefinition& definition);

// Lays the report out on pages of the given layout. Bands: the report header (title,
// "Print Date:", criteria) on the first page; the column headings at the top of every page; group
// headers (repeated when a group runs onto a new page), detail lines and group footers; the
// report footer; "Page N of M" and the shop name at the foot of every page. A text that does
// not fit its column wraps onto further lines of its row. Needs a QGuiApplication (fonts are
// measured).
PageModel layoutReport(const Report& report, const PrintInfo& info, const QPageLayout& pageLayout);
