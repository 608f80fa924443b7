#pragma once

#include "previewcontent.h"

#include <QPrintPreviewDialog>

#include <optional>

class MessageService;
class QPrinter;
class QToolBar;

// The print preview of a report or a receipt: the pages as they will print, printing from
// there, and saving them as a PDF file or the report's rows as a CSV file. The pages are laid
// out again whenever the page set up for the printer changes. Every action of the toolbars is
// in sight at the window's own size and answers to a key.
class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT

public:
    ReportPreview(PreviewContent content, MessageService& messages, QWidget* parent = nullptr);

    const PreviewContent& content() const { return m_content; }
    // What the toolbar's Save as PDF and Export CSV do once a file is chosen.
    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);

private:
    void setupActions();
    void addSaveAction(QToolBar* toolbar, const QString& caption, const QString& name,
                       const QString& suffix, const QString& filter,
                       bool (ReportPreview::*save)(const QString&));
    const PageModel& pagesFor(const QPageLayout& page);
    void paint(QPrinter* printer);
    void askAndSave(const QString& caption, const QString& suffix, const QString& filter,
                    bool (ReportPreview::*save)(const QString&));
    QString suggestedFile(const QString& suffix) const;

    PreviewContent m_content;
    MessageService& m_messages;
    std::optional<QPageLayout> m_laidOutFor;
    PageModel m_pages;
};
