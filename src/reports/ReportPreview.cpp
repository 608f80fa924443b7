#include "ReportPreview.h"

#include "MessageService.h"
#include "ReportPainter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>

ReportPreview::ReportPreview(PreviewContent content, MessageService& messages, QWidget* parent)
    : QPrintPreviewDialog(parent), m_content(std::move(content)), m_messages(messages) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_content.title);
    const QPageLayout start = m_content.startPage.value_or(printer()->pageLayout());
    printer()->setPageLayout(pagesFor(start).pageLayout);
    printer()->setDocName(m_content.title);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreview::paint);
    setupActions();
    resize(900, 760);
}

void ReportPreview::setupActions() {
    auto* toolbar = findChild<QToolBar*>();
    if (!toolbar)
        return;
    toolbar->addSeparator();
    QAction* pdf = toolbar->addAction(QStringLiteral("Save as PDF"), this, [this] {
        askAndSave(QStringLiteral("Save as PDF"), QStringLiteral("pdf"),
                   QStringLiteral("PDF files (*.pdf)"), &ReportPreview::savePdf);
    });
    pdf->setObjectName(QStringLiteral("actSavePdf"));
    if (m_content.rows) {
        QAction* csv = toolbar->addAction(QStringLiteral("Export CSV"), this, [this] {
            askAndSave(QStringLiteral("Export CSV"), QStringLiteral("csv"),
                       QStringLiteral("CSV files (*.csv)"), &ReportPreview::saveCsv);
        });
        csv->setObjectName(QStringLiteral("actExportCsv"));
    }
}

// Laying a long report out takes a moment, so the pages are kept until the page changes.
const PageModel& ReportPreview::pagesFor(const QPageLayout& page) {
    if (!m_laidOutFor || !(*m_laidOutFor == page)) {
        m_pages = m_content.layout(page);
        m_laidOutFor = page;
    }
    return m_pages;
}

void ReportPreview::paint(QPrinter* printer) {
    const PageModel& pages = pagesFor(printer->pageLayout());
    // A receipt on roll paper decides its own length.
    if (!pages.pageLayout.isEquivalentTo(printer->pageLayout()))
        printer->setPageLayout(pages.pageLayout);
    paintReport(pages, *printer);
}

bool ReportPreview::savePdf(const QString& path) {
    return writePdf(pagesFor(printer()->pageLayout()), path, m_content.title);
}

bool ReportPreview::saveCsv(const QString& path) {
    return SavePreviewCsv(m_content, path);
}

QString ReportPreview::suggestedFile(const QString& suffix) const {
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9 ()_-]+"));
    const QString name = QString(m_content.title).remove(unsafe).trimmed();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(name + QLatin1Char('.') + suffix);
}

// Asks for the file, adds the suffix when the clerk left it off, and says so when it failed.
void ReportPreview::askAndSave(const QString& caption, const QString& suffix, const QString& filter,
                               bool (ReportPreview::*save)(const QString&)) {
    QString path = QFileDialog::getSaveFileName(this, caption, suggestedFile(suffix), filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        path += QLatin1Char('.') + suffix;
    if (!(this->*save)(path))
        m_messages.show(QStringLiteral("The file could not be written:\r") +
                            QDir::toNativeSeparators(path),
                        MsgIcon::Exclamation);
}
