#pragma once

#include "adjustActions.h"
#include "adjustEntry.h"

#include <QWidget>

struct AppContext;
class MaskedLineEdit;
class QCloseEvent;
class QFormLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

// One accounting adjustment: a new one numbered when the form opens, or a stored one to change
// or delete. Saved, deleted or cancelled, the form closes itself.
class frmAcctAdjust : public QWidget {
    Q_OBJECT

public:
    explicit frmAcctAdjust(AppContext& ctx, QWidget* parent = nullptr);

    // An empty key starts a new adjustment; a stored number opens it. False, after the
    // message, for anything else. Loads without showing the form.
    bool Start(const QString& key);

    bool IsNew() const { return m_draft.isNew; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setupFields();
    QLineEdit* addBox(QFormLayout& form, const QString& label, const QString& name);
    QWidget* setupDateRow();
    QWidget* setupButtons();
    QStatusBar* setupStatusBar();

    bool previewKey(QKeyEvent& key);
    void showEntry();
    AdjustEntry readEntry() const;

    void save();
    void deleteAdjustment();
    void cancel();
    void leave();

    AppContext& m_ctx;
    AdjustDraft m_draft;
    // Set once the form may close without asking.
    bool m_leaving = false;

    QLineEdit* txtAdjustID = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLineEdit* txtAdjustAmt = nullptr;
    MaskedLineEdit* txtAdjustDate = nullptr;
    QLineEdit* txtOrderID = nullptr;
    QLineEdit* txtReceiptNum = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdDelete = nullptr;
    QStatusBar* sbMain = nullptr;
};
