#pragma once

#include "ReportDefinition.h"

#include <QByteArray>
#include <QString>

// The report's rows as CSV, UTF-8 with a byte order mark (so spreadsheet programs read Chinese
// names right), lines ended CRLF. A header row, then one row per detail line with the group
// keys repeated on every row. A column that shows several fields gives one CSV column per field,
// headed by the field name. Dates "dd/MM/yyyy", amounts "0.00" without thousands separators, so
// they read back as numbers. A report without table columns exports its query's fields.
QByteArray reportCsv(const Report& report);
bool writeCsv(const Report& report, const QString& path);
