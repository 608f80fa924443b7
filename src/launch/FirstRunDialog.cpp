#include "FirstRunDialog.h"

#include "HourglassGuard.h"
#include "MessageService.h"
#include "shopsetup.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* choice(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    return button;
}

QLineEdit* field(const QString& name, const QString& hint, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setPlaceholderText(hint);
    return box;
}

} // namespace

FirstRunDialog::FirstRunDialog(QSettings& settings, MessageService& messages, const QString& reason,
                               QWidget* parent)
    : QDialog(parent), m_settings(settings), m_messages(messages) {
    setObjectName(QStringLiteral("FirstRunDialog"));
    setWindowTitle(QStringLiteral("Vormel: where is the shop?"));
    auto* layout = new QVBoxLayout(this);
    auto* why = new QLabel(reason, this);
    why->setObjectName(QStringLiteral("reason"));
    why->setWordWrap(true);
    why->setVisible(!reason.isEmpty());
    layout->addWidget(why);
    setupChoices(layout);
    setupFields(layout);
    setupButtons(layout);
    updateFields();
    setMinimumWidth(520);
}

void FirstRunDialog::setupChoices(QVBoxLayout* layout) {
    m_newShop = choice(QStringLiteral("Make a new, empty shop in a folder"),
                       QStringLiteral("newShop"), this);
    m_demoShop = choice(QStringLiteral("Make a demo shop to try Vormel on, in a folder"),
                        QStringLiteral("demoShop"), this);
    m_existingShop = choice(QStringLiteral("Open the shop in a folder that holds Flicka.mdb"),
                            QStringLiteral("existingShop"), this);
    m_serverShop =
        choice(QStringLiteral("Use the shop on a server"), QStringLiteral("serverShop"), this);
    m_newShop->setChecked(true);
    for (QRadioButton* button : {m_newShop, m_demoShop, m_existingShop, m_serverShop}) {
        layout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, &FirstRunDialog::updateFields);
    }
}

void FirstRunDialog::setupFields(QVBoxLayout* layout) {
    m_folder = field(QStringLiteral("folder"), QStringLiteral("the shop's folder"), this);
    m_browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_browse->setObjectName(QStringLiteral("browse"));
    connect(m_browse, &QPushButton::clicked, this, &FirstRunDialog::browse);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(m_browse);
    m_shopName = field(QStringLiteral("shopName"),
                       QStringLiteral("shown in the window caption and on reports"), this);
    m_address = field(QStringLiteral("address"),
                      QStringLiteral("postgresql://user@host:port/dbname"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Folder:"), folderRow);
    form->addRow(QStringLiteral("Shop name:"), m_shopName);
    form->addRow(QStringLiteral("Server address:"), m_address);
    layout->addLayout(form);
}

void FirstRunDialog::setupButtons(QVBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* start = buttons->addButton(QStringLiteral("Start"), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("start"));
    start->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FirstRunDialog::start);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

// Only what the chosen way to the shop needs can be typed.
void FirstRunDialog::updateFields() {
    const bool server = m_serverShop->isChecked();
    m_folder->setEnabled(!server);
    m_browse->setEnabled(!server);
    m_shopName->setEnabled(m_newShop->isChecked() || m_demoShop->isChecked());
    m_address->setEnabled(server);
}

void FirstRunDialog::browse() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("The shop's folder"), m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

void FirstRunDialog::start() {
    ShopRequest request;
    request.kind = m_serverShop->isChecked()     ? ShopRequest::Kind::Server
                   : m_existingShop->isChecked() ? ShopRequest::Kind::ExistingFolder
                   : m_demoShop->isChecked()     ? ShopRequest::Kind::DemoShop
                                                 : ShopRequest::Kind::NewShop;
    request.folder = m_folder->text().trimmed();
    request.shopName = m_shopName->text().trimmed();
    request.address = m_address->text();
    QString error;
    std::optional<ShopPlace> place;
    {
        HourglassGuard busy;
        place = setUpShop(request, m_settings, error);
    }
    if (!place) {
        m_messages.show(error, MsgIcon::Exclamation);
        return;
    }
    m_place = *place;
    accept();
}
