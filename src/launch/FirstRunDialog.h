#pragma once

#include "ShopPlace.h"

#include <QDialog>

class MessageService;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class QVBoxLayout;

// Asks where the shop is when the settings name none (or one that is gone, with `reason`
// shown): a new empty or demo shop in a folder, a folder that holds one, or a server. Stays
// open, after a box saying why, until a choice is usable; then it has been stored.
class FirstRunDialog : public QDialog {
    Q_OBJECT

public:
    FirstRunDialog(QSettings& settings, MessageService& messages, const QString& reason,
                   QWidget* parent = nullptr);
    // Once accepted: the shop chosen.
    const ShopPlace& place() const { return m_place; }

private:
    void setupChoices(QVBoxLayout* layout);
    void setupFields(QVBoxLayout* layout);
    void setupButtons(QVBoxLayout* layout);
    void updateFields();
    void browse();
    void start();

    QSettings& m_settings;
    MessageService& m_messages;
    ShopPlace m_place;
    QRadioButton* m_newShop = nullptr;
    QRadioButton* m_demoShop = nullptr;
    QRadioButton* m_existingShop = nullptr;
    QRadioButton* m_serverShop = nullptr;
    QLineEdit* m_folder = nullptr;
    QPushButton* m_browse = nullptr;
    QLineEdit* m_shopName = nullptr;
    QLineEdit* m_address = nullptr;
};
