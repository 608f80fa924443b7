#pragma once

#include "customers.h"
#include "customerstore.h"

#include <QWidget>

struct AppContext;
struct CustomerEntry;
class MaskedLineEdit;
class QGridLayout;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

// Adds, edits or deletes one member. Start decides the mode from the number it is given: a
// stored member opens for update, any other number starts a new member with that number.
// Save (F12), Cancel (Esc) and a successful Delete close the form.
class frmCustomer : public QWidget {
    Q_OBJECT

public:
    explicit frmCustomer(AppContext& ctx, QWidget* parent = nullptr);

    // Loads the member without showing anything. False, after saying so, for a number that is
    // not a member number.
    bool Start(const QString& key);

    bool IsNew() const { return m_mode.IsNew; }
    bool IdEditable() const { return m_mode.IdEditable; }

private:
    void setupFields(QGridLayout& grid);
    void setupNames(QGridLayout& grid);
    void setupContacts(QGridLayout& grid);
    QGroupBox* setupStatistics();
    QWidget* setupButtons();
    QStatusBar* setupStatusBar();
    void setupTabOrder();
    QLineEdit* addBox(const QString& name, int widthChars, int maxLength = 0);
    MaskedLineEdit* addDateBox(const QString& name);
    QLineEdit* addShownBox(const QString& name, int widthChars);

    bool previewKey(QKeyEvent& key);
    void showRecord();
    CustomerEntry readEntry() const;
    void save();
    void deleteCustomer();
    void printCard();

    AppContext& m_ctx;
    CustomerRec m_rec;
    CustomerMode m_mode;

    QLineEdit* txtCustomerID = nullptr;
    QLineEdit* txtActive = nullptr;
    MaskedLineEdit* txtJoinDate = nullptr;
    QLineEdit* txtHKID = nullptr;
    QLineEdit* txtHKResident = nullptr;
    QLineEdit* txtChineseName = nullptr;
    QLineEdit* txtEnglishName = nullptr;
    QLineEdit* txtSex = nullptr;
    MaskedLineEdit* txtBirthDate = nullptr;
    QLineEdit* txtAddress = nullptr;
    QLineEdit* txtPhone1 = nullptr;
    QLineEdit* txtPhone2 = nullptr;
    QLineEdit* txtPhone3 = nullptr;
    QLineEdit* txtRemarks1 = nullptr;
    QLineEdit* txtRemarks2 = nullptr;
    QLineEdit* txtTransRemarks = nullptr;
    QLineEdit* txtRentTimes = nullptr;
    QLineEdit* txtGoodTimes = nullptr;
    QLineEdit* txtLateTimes = nullptr;
    QLineEdit* txtBadTimes = nullptr;
    QLineEdit* txtBuyCount = nullptr;
    QLineEdit* txtLastRentDate = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdCard = nullptr;
    QStatusBar* sbMain = nullptr;
};
