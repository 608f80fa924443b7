#include "frmCategory.h"

#include "AppContext.h"
#include "Connection.h"
#include "KeyPreview.h"
#include "StatusClock.h"
#include "categoryGrid.h"
#include "categoryModel.h"
#include "formutil.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QPushButton* newButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // The cursor stays in the grid, where the keys work.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool plain(const QKeyEvent& key) {
    return !(key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

frmCategory::frmCategory(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmCategory"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Rate Entry"));
    setupGrid();
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Rate Category"), this);
    auto* inside = new QVBoxLayout(frame);
    inside->addWidget(dgdCategory);
    layout->addWidget(frame, 1);
    layout->addWidget(setupButtons());
    layout->addWidget(setupStatusBar());
    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
    resize(920, 400);
    dgdCategory->setFocus();
}

void frmCategory::setupGrid() {
    dgdCategory = new CategoryGrid(this);
    // Before the connection closes, a cell being typed in goes to the model, which stores it.
    connect(&m_ctx.db, &Connection::aboutToClose, dgdCategory, &CategoryGrid::finishEditing);
    AdoCategory = new CategoryModel(m_ctx.db, m_ctx.clock, this);
    dgdCategory->setCategoryModel(AdoCategory);
    if (AdoCategory->rowCount() > 0)
        dgdCategory->setCurrentIndex(AdoCategory->index(0, AdoCategory->visibleColumns().first()));
}

QWidget* frmCategory::setupButtons() {
    auto* row = new QWidget(this);
    cmdAdd = newButton(row, QStringLiteral("cmdAdd"), QStringLiteral("Add (Ins)"));
    cmdDelete = newButton(row, QStringLiteral("cmdDelete"), QStringLiteral("Delete"));
    cmdSave = newButton(row, QStringLiteral("cmdSave"), QStringLiteral("Save (F12)"));
    connect(cmdAdd, &QPushButton::clicked, this, &frmCategory::addCategory);
    connect(cmdDelete, &QPushButton::clicked, this, &frmCategory::deleteCategory);
    connect(cmdSave, &QPushButton::clicked, this, &frmCategory::save);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdAdd);
    layout->addWidget(cmdDelete);
    layout->addStretch();
    layout->addWidget(cmdSave);
    return row;
}

QStatusBar* frmCategory::setupStatusBar() {
    sbMain = new QStatusBar(this);
    FillStatusBar(*sbMain, m_ctx.clock);
    return sbMain;
}

// F12 saves and Esc does nothing here. Ins and Del act on rows only while no cell is being
// typed in; inside a cell they edit the text.
bool frmCategory::previewKey(QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape)
        return true;
    if (!plain(key))
        return false;
    const bool onGrid = focusWidget() == dgdCategory;
    switch (key.key()) {
    case Qt::Key_F12:
        save();
        return true;
    case Qt::Key_Insert:
        if (onGrid)
            addCategory();
        return onGrid;
    case Qt::Key_Delete:
        if (onGrid)
            deleteCategory();
        return onGrid;
    default:
        return false;
    }
}

void frmCategory::addCategory() {
    dgdCategory->setFocus();
    dgdCategory->finishEditing();
    const int row = AdoCategory->addRow();
    if (row >= 0)
        dgdCategory->editRow(row);
}

void frmCategory::deleteCategory() {
    dgdCategory->setFocus();
    dgdCategory->finishEditing();
    const QModelIndex current = dgdCategory->currentIndex();
    if (!current.isValid())
        return;
    const int answer =
        m_ctx.messages.show(QStringLiteral("Deleted record cannot be restored!\rConfirm delete?"),
                            MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer != AnswerYes || !AdoCategory->deleteRow(current.row()))
        return;
    const int row = qMin(current.row(), AdoCategory->rowCount() - 1);
    if (row >= 0)
        dgdCategory->setCurrentIndex(AdoCategory->index(row, current.column()));
}

// The rows are stored already: Save only closes, and closing reloads the list.
void frmCategory::save() {
    ConfirmDiscard(m_ctx.messages, *this, false, m_ctx.DiscardAnswer);
}

// Stores the row being edited, reads the rows again and reloads the program's category list.
// A row that cannot be stored is given up only when the clerk agrees. False, with the form
// kept open, when the clerk does not or the list cannot be read.
bool frmCategory::storeAndReload() {
    dgdCategory->finishEditing();
    if (!AdoCategory->submit()) {
        // Inside this close the question's own close() is ignored; its answer decides.
        ConfirmDiscard(m_ctx.messages, *this, true, m_ctx.DiscardAnswer);
        if (m_ctx.DiscardAnswer != AnswerYes)
            return false;
        AdoCategory->revertAll();
    }
    AdoCategory->refresh();
    if (!GetCategories(m_ctx.db, m_ctx.CategoryList, true)) {
        m_ctx.messages.show(QStringLiteral("debug: error in getting category codes"));
        AdoCategory->revertAll();
        return false;
    }
    Q_EMIT categoriesChanged();
    return true;
}

void frmCategory::closeEvent(QCloseEvent* event) {
    if (storeAndReload())
        event->accept();
    else
        event->ignore();
}

// After a compaction that could not reopen the file at once, the rows come back the next time
// the clerk turns to the form.
void frmCategory::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && AdoCategory->isReleased())
        AdoCategory->refresh();
}
