#include "previewcontent.h"

#include "ReportCsv.h"
#include "ReportLayout.h"
#include "receipt.h"
#include "receiptlayout.h"

PreviewContent ReportContent(const Report& report, const PrintInfo& info) {
    PreviewContent content;
    content.title = report.definition.title;
    content.startPage = defaultPageLayout(report.definition);
    content.layout = [report, info](const QPageLayout& page) {
        return layoutReport(report, info, page);
    };
    content.rows = report;
    return content;
}

PreviewContent ReceiptContent(const Receipt& receipt) {
    PreviewContent content;
    content.title = QStringLiteral("Receipt ") + receipt.customerID;
    content.layout = [receipt](const QPageLayout& page) { return layoutReceipt(receipt, page); };
    return content;
}

bool SavePreviewCsv(const PreviewContent& content, const QString& path) {
    return content.rows && writeCsv(*content.rows, path);
}
