#pragma once

#include "PageModel.h"

#include <QStringList>

// Reads laid-out pages back as a clerk would: line by line, left to right.
namespace pagereader {

// The lines of one page with a text of `band`, each line's texts joined by " | ".
QStringList lines(const ReportPage& page, Band band);
// The same over every page.
QStringList lines(const PageModel& model, Band band);
// A description of the first two texts on one line that overlap, or empty when none do.
QString overlap(const ReportPage& page);

} // namespace pagereader
