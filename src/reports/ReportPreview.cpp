#include "ReportPreview.h"

#include "MessageService.h"
#include "ReportPainter.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHash>
#include <QMainWindow>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>

namespace {

// The dialog zooms when its zoom buttons are clicked, not when their actions trigger, so a
// zoom key clicks the button.
class ClickOnShortcut : public QObject {
public:
    explicit ClickOnShortcut(QAbstractButton* button) : QObject(button), m_button(button) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut)
            return QObject::eventFilter(watched, event);
        m_button->click();
        return true;
    }

private:
    QAbstractButton* m_button;
};

QList<QKeySequence> keys(QKeySequence::StandardKey key) {
    return QKeySequence::keyBindings(key);
}

QList<QKeySequence> keys(QKeyCombination key) {
    return {QKeySequence(key)};
}

// The keys of the preview's actions, by caption.
QHash<QString, QList<QKeySequence>> actionKeys() {
    const Qt::KeyboardModifiers shift = Qt::ControlModifier | Qt::ShiftModifier;
    return {{QStringLiteral("Fit width"), keys(shift | Qt::Key_W)},
            {QStringLiteral("Fit page"), keys(shift | Qt::Key_F)},
            {QStringLiteral("Zoom in"), keys(QKeySequence::ZoomIn)},
            {QStringLiteral("Zoom out"), keys(QKeySequence::ZoomOut)},
            {QStringLiteral("Portrait"), keys(shift | Qt::Key_O)},
            {QStringLiteral("Landscape"), keys(shift | Qt::Key_L)},
            {QStringLiteral("First page"), keys(Qt::ControlModifier | Qt::Key_Home)},
            {QStringLiteral("Previous page"), keys(QKeyCombination(Qt::Key_PageUp))},
            {QStringLiteral("Next page"), keys(QKeyCombination(Qt::Key_PageDown))},
            {QStringLiteral("Last page"), keys(Qt::ControlModifier | Qt::Key_End)},
            {QStringLiteral("Show single page"), keys(Qt::ControlModifier | Qt::Key_1)},
            {QStringLiteral("Show facing pages"), keys(Qt::ControlModifier | Qt::Key_2)},
            {QStringLiteral("Show overview of all pages"), keys(Qt::ControlModifier | Qt::Key_3)},
            {QStringLiteral("Page setup"), keys(shift | Qt::Key_P)},
            {QStringLiteral("Print"), keys(QKeySequence::Print)},
            {QStringLiteral("Save as PDF"), keys(QKeySequence::Save)},
            {QStringLiteral("Export CSV"), keys(Qt::ControlModifier | Qt::Key_E)}};
}

// Gives every action of the toolbar its key, named in its tool tip.
void setKeys(QToolBar* toolbar) {
    const QHash<QString, QList<QKeySequence>> all = actionKeys();
    for (QAction* action : toolbar->actions()) {
        const QList<QKeySequence> shortcuts = all.value(action->text());
        if (shortcuts.isEmpty())
            continue;
        action->setShortcuts(shortcuts);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            action->text(), shortcuts.first().toString(QKeySequence::NativeText)));
        if (action->text().startsWith(QStringLiteral("Zoom")))
            action->installEventFilter(new ClickOnShortcut(
                qobject_cast<QAbstractButton*>(toolbar->widgetForAction(action))));
    }
}

} // namespace

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
    auto* window = findChild<QMainWindow*>();
    auto* pages = findChild<QToolBar*>();
    if (!window || !pages)
        return;
    // Printing and saving get a row of their own under the page and zoom controls, so a long
    // report's page counter never pushes an action out of sight.
    auto* output = new QToolBar(window);
    output->setObjectName(QStringLiteral("tbOutput"));
    output->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    window->addToolBarBreak();
    window->addToolBar(output);
    for (QAction* action : pages->actions()) {
        if (action->text() == QStringLiteral("Page setup") ||
            action->text() == QStringLiteral("Print")) {
            pages->removeAction(action);
            output->addAction(action);
        }
    }
    if (!pages->actions().isEmpty() && pages->actions().last()->isSeparator())
        pages->removeAction(pages->actions().last());
    output->addSeparator();
    addSaveAction(output, QStringLiteral("Save as PDF"), QStringLiteral("actSavePdf"),
                  QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"),
                  &ReportPreview::savePdf);
    if (m_content.rows)
        addSaveAction(output, QStringLiteral("Export CSV"), QStringLiteral("actExportCsv"),
                      QStringLiteral("csv"), QStringLiteral("CSV files (*.csv)"),
                      &ReportPreview::saveCsv);
    setKeys(pages);
    setKeys(output);
}

void ReportPreview::addSaveAction(QToolBar* toolbar, const QString& caption, const QString& name,
                                  const QString& suffix, const QString& filter,
                                  bool (ReportPreview::*save)(const QString&)) {
    QAction* action =
        toolbar->addAction(caption, this, [=, this] { askAndSave(caption, suffix, filter, save); });
    action->setObjectName(name);
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
