#pragma once

#include "SelectionState.h"
#include "selectlayouts.h"

#include <QDialog>

struct AppContext;
class QKeyEvent;
class QPushButton;
class QStatusBar;
class QTableWidget;
class QVBoxLayout;

// Lets the clerk pick one of several search hits. The list stays pending after a pick: each
// time it is started again it comes back with the same rows, the last chosen one current,
// until the clerk cancels it.
class frmSelectRecord : public QDialog {
    Q_OBJECT

public:
    explicit frmSelectRecord(AppContext& ctx, QWidget* parent = nullptr);

    // Hides `caller` and shows the list modally, filled from the context's hits for `layout`
    // unless a list is pending. Returns once the clerk chose a row (the caller stays hidden
    // for the screen that opens next) or cancelled (the caller is shown again).
    void Start(QWidget& caller, SelectLayout layout);

    int SelectedIndex() const { return m_state.SelectedIndex(); }
    bool ListPending() const { return m_state.ListPending(); }

public Q_SLOTS:
    // OK: F12, Enter anywhere, a double click on a row, or the OK button.
    void accept() override;
    // Cancel: Esc, the Cancel button or the title bar.
    void reject() override;

private:
    void setupGrid(QVBoxLayout& layout);
    void setupButtons(QVBoxLayout& layout);
    void setupStatusBar(QVBoxLayout& layout);
    bool previewKey(QKeyEvent& key);

    SelectTable tableFor(SelectLayout layout) const;
    void fill(const SelectTable& table);
    void fitHeadings();
    void fillRow(int row, const SelectTable& table);
    void showRow(int row);

    AppContext& m_ctx;
    SelectionState m_state;
    QWidget* m_caller = nullptr;

    QTableWidget* msgSelectRecord = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QStatusBar* sbMain = nullptr;
};
