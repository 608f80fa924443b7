#pragma once

#include "PageModel.h"
#include "ReportDefinition.h"

#include <QPageLayout>
#include <QString>

#include <functional>
#include <optional>

struct Receipt;

// What a preview window shows: pages laid out for whatever page the printer has, and the rows
// behind them when they can be exported.
struct PreviewContent {
    QString title;
    // The page to start on; none means the printer's own page.
    std::optional<QPageLayout> startPage;
    // Lays the pages out for a page; the result's page layout is the one to print on.
    std::function<PageModel(const QPageLayout& page)> layout;
    // The report's rows, for a CSV file.
    std::optional<Report> rows;
};

PreviewContent ReportContent(const Report& report, const PrintInfo& info);
PreviewContent ReceiptContent(const Receipt& receipt);

// The rows as a CSV file; false when the content has none.
bool SavePreviewCsv(const PreviewContent& content, const QString& path);
