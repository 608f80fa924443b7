#include "ReportPreview.h"
#include "ReportShop.h"
#include "receipt.h"
#include "reports.h"

#include <QAction>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

namespace {

const PrintInfo Info{QStringLiteral("FLICKA VIDEO"), QDateTime(QDate(2004, 3, 10), QTime(18, 40))};

QByteArray fileStart(const QString& path, int bytes) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

Receipt smallReceipt() {
    Receipt r;
    r.shopName = QStringLiteral("FLICKA VIDEO");
    r.printed = Info.printed;
    r.customerID = QStringLiteral("000123");
    r.customerName = QStringLiteral("CHAN TAI MAN");
    ReceiptLine line;
    line.itemID = QStringLiteral("000005");
    line.title = QStringLiteral("ERASERHEAD");
    line.quantity = 1;
    line.due = QDate(2004, 3, 13);
    line.charge = Money::fromWhole(15);
    r.lines = {line};
    r.total = line.charge;
    return r;
}

} // namespace

// The preview window of reports and receipts, and the files it saves.
class Test_frmRptMain_preview : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> m_shop;
    QTemporaryDir m_out;
    ScriptedMessages m_messages;

    Report sales() {
        return runReport(m_shop->db(), QStringLiteral("rptSales"),
                         ReportRequest{QDate(2004, 2, 1), QDate(2004, 2, 29), {}, {}})
            .value_or(Report{});
    }

private Q_SLOTS:
    void initTestCase() {
        m_shop = std::make_unique<TestDb>();
        QVERIFY(m_shop->ok() && reportshop::arrange(*m_shop));
        QVERIFY(m_out.isValid());
    }

    // Printing follows the orientation the report asks for.
    void reportSavesPdfAndCsv() {
        ReportPreview preview(ReportContent(sales(), Info), m_messages);
        QCOMPARE(preview.windowTitle(), QStringLiteral("Sales Details Report:"));
        QCOMPARE(preview.printer()->pageLayout().orientation(), QPageLayout::Portrait);
        QVERIFY(preview.findChild<QAction*>(QStringLiteral("actSavePdf")));
        QVERIFY(preview.findChild<QAction*>(QStringLiteral("actExportCsv")));
        const QString pdf = m_out.filePath(QStringLiteral("sales.pdf"));
        QVERIFY(preview.savePdf(pdf));
        QCOMPARE(fileStart(pdf, 5), QByteArray("%PDF-"));
        const QString csv = m_out.filePath(QStringLiteral("sales.csv"));
        QVERIFY(preview.saveCsv(csv));
        QVERIFY(fileStart(csv, 100).startsWith("\xEF\xBB\xBFSale Code,Description,Sale Date,"));
        QVERIFY(!preview.saveCsv(m_out.filePath(QStringLiteral("missing/folder/sales.csv"))));
        Report wide = sales();
        wide.definition.orientation = QPageLayout::Landscape;
        ReportPreview landscape(ReportContent(wide, Info), m_messages);
        QCOMPARE(landscape.printer()->pageLayout().orientation(), QPageLayout::Landscape);
    }

    // A report of three-digit page count, at the window's own size: every action is in sight
    // and answers to a key of its own.
    void everyActionInSightWithItsKey() {
        PreviewContent content = ReportContent(sales(), Info);
        content.layout = [](const QPageLayout& page) {
            PageModel model;
            model.pageLayout = page;
            model.pages.resize(140);
            return model;
        };
        ReportPreview preview(content, m_messages);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QStringList hidden, keyless, keys;
        for (QToolBar* toolbar : preview.findChildren<QToolBar*>()) {
            for (QAction* action : toolbar->actions()) {
                const QWidget* control = toolbar->widgetForAction(action);
                if (action->isSeparator())
                    continue;
                if (!control || !control->isVisible() ||
                    !toolbar->rect().contains(control->geometry()))
                    hidden << action->text();
                if (qobject_cast<QWidgetAction*>(action))
                    continue;
                if (action->shortcut().isEmpty())
                    keyless << action->text();
                keys << action->shortcut().toString();
            }
        }
        QCOMPARE(hidden, QStringList());
        QCOMPARE(keyless, QStringList());
        QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());
        auto* pages = preview.findChild<QPrintPreviewWidget*>();
        QCOMPARE(pages->pageCount(), 140);
        const double zoom = pages->zoomFactor();
        QTest::keyClick(preview.windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(pages->zoomFactor() > zoom);
        QTest::keyClick(preview.windowHandle(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(pages->currentPage(), 140);
    }

    // A receipt has no rows to export. On a roll printer its page becomes as long as the
    // receipt, and the preview follows it.
    void receiptHasNoRowsToExport() {
        ReportPreview preview(ReceiptContent(smallReceipt()), m_messages);
        QCOMPARE(preview.windowTitle(), QStringLiteral("Receipt 000123"));
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("actExportCsv")));
        QVERIFY(!preview.saveCsv(m_out.filePath(QStringLiteral("receipt.csv"))));
        const QString pdf = m_out.filePath(QStringLiteral("receipt.pdf"));
        QVERIFY(preview.savePdf(pdf));
        QCOMPARE(fileStart(pdf, 5), QByteArray("%PDF-"));
        preview.printer()->setPageLayout(QPageLayout(
            QPageSize(QSizeF(80, 200), QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.findChild<QPrintPreviewWidget*>()->pageCount(), 1);
        const QRectF page = preview.printer()->pageLayout().fullRect(QPageLayout::Millimeter);
        QCOMPARE(qRound(page.width()), 80);
        QVERIFY(page.height() < 120);
    }
};

QTEST_MAIN(Test_frmRptMain_preview)
#include "tst_frmrptmain_preview.moc"
