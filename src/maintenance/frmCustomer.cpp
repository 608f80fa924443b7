#include "frmCustomer.h"

#include "AppContext.h"
#include "KeyPreview.h"
#include "MaskedLineEdit.h"
#include "StatusClock.h"
#include "customerentry.h"
#include "customervalidation.h"
#include "formutil.h"
#include "labelprint.h"
#include "labelwindows.h"
#include "utility.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

// The grid holds two label/box pairs side by side; a long box spans both.
constexpr int LeftSide = 0;
constexpr int RightSide = 2;
constexpr int BothSides = 3;

// A box with its note ("(L)", the date format) right behind it.
QWidget* withNote(QWidget* box, const QString& note) {
    auto* field = new QWidget(box->parentWidget());
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    layout->addWidget(new QLabel(note, field));
    return field;
}

void place(QGridLayout& grid, int row, int column, const QString& caption, QWidget* box,
           const QString& note = {}, int span = 1) {
    grid.addWidget(new QLabel(caption), row, column, Qt::AlignRight | Qt::AlignVCenter);
    QWidget* field = note.isEmpty() ? box : withNote(box, note);
    grid.addWidget(field, row, column + 1, 1, span, span > 1 ? Qt::Alignment() : Qt::AlignLeft);
}

const QString DateNote = QStringLiteral("(DD/MM/YYYY)");

// Shown from its start: setText leaves the cursor at the end, which scrolls a text longer
// than its box so that only its end is in sight.
void showText(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0);
}

// Wide enough for `sample` plus the box's frame and margins.
int widthFor(const QLineEdit& box, const QString& sample) {
    return box.fontMetrics().horizontalAdvance(sample) +
           box.fontMetrics().horizontalAdvance(QStringLiteral("00"));
}

} // namespace

frmCustomer::frmCustomer(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmCustomer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Customer"));

    auto* grid = new QGridLayout;
    grid->setColumnStretch(BothSides + 1, 1);
    setupFields(*grid);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(setupStatistics());
    layout->addWidget(setupButtons());
    layout->addWidget(setupStatusBar());
    setupTabOrder();
    new KeyPreview(*this, [this](QKeyEvent& key) { return previewKey(key); });
}

void frmCustomer::setupFields(QGridLayout& grid) {
    txtCustomerID = addBox(QStringLiteral("txtCustomerID"), 10);
    txtActive = addBox(QStringLiteral("txtActive"), 2, 1);
    txtJoinDate = addDateBox(QStringLiteral("txtJoinDate"));
    txtHKID = addBox(QStringLiteral("txtHKID"), 20, 20);
    txtHKResident = addBox(QStringLiteral("txtHKResident"), 2, 1);
    place(grid, 0, LeftSide, QStringLiteral("Cust. ID:"), txtCustomerID);
    place(grid, 0, RightSide, QStringLiteral("Valid:"), txtActive);
    place(grid, 1, LeftSide, QStringLiteral("Join Date:"), txtJoinDate, DateNote);
    place(grid, 2, LeftSide, QStringLiteral("I.D.:"), txtHKID);
    place(grid, 2, RightSide, QStringLiteral("Local Residence:"), txtHKResident);
    setupNames(grid);
    setupContacts(grid);
}

void frmCustomer::setupNames(QGridLayout& grid) {
    txtChineseName = addBox(QStringLiteral("txtChineseName"), 20);
    txtEnglishName = addBox(QStringLiteral("txtEnglishName"), 30);
    txtSex = addBox(QStringLiteral("txtSex"), 2, 1);
    txtBirthDate = addDateBox(QStringLiteral("txtBirthDate"));
    place(grid, 3, LeftSide, QStringLiteral("Name:"), txtChineseName, QStringLiteral("(L)"));
    place(grid, 4, LeftSide, QStringLiteral("Name:"), txtEnglishName, QStringLiteral("(E)"));
    place(grid, 5, LeftSide, QStringLiteral("Sex:"), txtSex);
    place(grid, 5, RightSide, QStringLiteral("D.O.B.:"), txtBirthDate, DateNote);
}

void frmCustomer::setupContacts(QGridLayout& grid) {
    txtAddress = addBox(QStringLiteral("txtAddress"), 0);
    txtPhone1 = addBox(QStringLiteral("txtPhone1"), 14);
    txtPhone2 = addBox(QStringLiteral("txtPhone2"), 14);
    txtPhone3 = addBox(QStringLiteral("txtPhone3"), 14);
    txtRemarks1 = addBox(QStringLiteral("txtRemarks1"), 0);
    txtRemarks2 = addBox(QStringLiteral("txtRemarks2"), 0);
    txtTransRemarks = addShownBox(QStringLiteral("txtTransRemarks"), 0);
    place(grid, 6, LeftSide, QStringLiteral("Address:"), txtAddress, {}, BothSides);
    place(grid, 7, LeftSide, QStringLiteral("Phone1:"), txtPhone1);
    place(grid, 7, RightSide, QStringLiteral("Phone2:"), txtPhone2);
    place(grid, 8, LeftSide, QStringLiteral("Phone3:"), txtPhone3);
    place(grid, 9, LeftSide, QStringLiteral("Remarks1:"), txtRemarks1, {}, BothSides);
    place(grid, 10, LeftSide, QStringLiteral("Remarks2:"), txtRemarks2, {}, BothSides);
    place(grid, 11, LeftSide, QStringLiteral("Rent Remarks:"), txtTransRemarks, {}, BothSides);
}

// Tab goes through the boxes the clerk fills in, then to the buttons.
void frmCustomer::setupTabOrder() {
    const QList<QWidget*> order = {txtCustomerID, txtActive,      txtJoinDate,    txtHKID,
                                   txtHKResident, txtChineseName, txtEnglishName, txtSex,
                                   txtBirthDate,  txtAddress,     txtPhone1,      txtPhone2,
                                   txtPhone3,     txtRemarks1,    txtRemarks2,    cmdCard,
                                   cmdSave,       cmdCancel,      cmdDelete};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// What the member's visits add up to; shown only, never saved from here.
QGroupBox* frmCustomer::setupStatistics() {
    auto* frame = new QGroupBox(QStringLiteral("Transaction Statistics"));
    frame->setObjectName(QStringLiteral("fraStatistics"));
    txtRentTimes = addShownBox(QStringLiteral("txtRentTimes"), 6);
    txtGoodTimes = addShownBox(QStringLiteral("txtGoodTimes"), 6);
    txtLateTimes = addShownBox(QStringLiteral("txtLateTimes"), 6);
    txtBadTimes = addShownBox(QStringLiteral("txtBadTimes"), 6);
    txtBuyCount = addShownBox(QStringLiteral("txtBuyCount"), 6);
    txtLastRentDate = addShownBox(QStringLiteral("txtLastRentDate"), 10);
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(BothSides + 1, 1);
    place(*grid, 0, LeftSide, QStringLiteral("Rent:"), txtRentTimes);
    place(*grid, 0, RightSide, QStringLiteral("Return:"), txtGoodTimes);
    place(*grid, 1, LeftSide, QStringLiteral("Late:"), txtLateTimes);
    place(*grid, 1, RightSide, QStringLiteral("Damage:"), txtBadTimes);
    place(*grid, 2, LeftSide, QStringLiteral("Buy:"), txtBuyCount);
    place(*grid, 2, RightSide, QStringLiteral("Last Rent:"), txtLastRentDate);
    return frame;
}

QWidget* frmCustomer::setupButtons() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    const auto addButton = [&](const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption, row);
        button->setObjectName(name);
        button->setAutoDefault(false);
        layout->addWidget(button);
        return button;
    };
    cmdCard = addButton(QStringLiteral("cmdCard"), QStringLiteral("Card"));
    cmdSave = addButton(QStringLiteral("cmdSave"), QStringLiteral("Save (F12)"));
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel (Esc)"));
    cmdDelete = addButton(QStringLiteral("cmdDelete"), QStringLiteral("Delete"));
    connect(cmdSave, &QPushButton::clicked, this, &frmCustomer::save);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdDelete, &QPushButton::clicked, this, &frmCustomer::deleteCustomer);
    connect(cmdCard, &QPushButton::clicked, this, &frmCustomer::printCard);
    return row;
}

QStatusBar* frmCustomer::setupStatusBar() {
    sbMain = new QStatusBar;
    FillStatusBar(*sbMain, m_ctx.clock);
    return sbMain;
}

// A box `widthChars` characters wide; 0 lets it stretch with the form.
QLineEdit* frmCustomer::addBox(const QString& name, int widthChars, int maxLength) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    if (widthChars > 0)
        box->setFixedWidth(widthFor(*box, QString(widthChars, QLatin1Char('X'))));
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

MaskedLineEdit* frmCustomer::addDateBox(const QString& name) {
    auto* box = new MaskedLineEdit(QStringLiteral("99/99/9999"), QLatin1Char(' '), this);
    box->setObjectName(name);
    box->setFixedWidth(widthFor(*box, QStringLiteral("00/00/0000")));
    return box;
}

// Reachable with the mouse to copy from, skipped by Tab, never read back.
QLineEdit* frmCustomer::addShownBox(const QString& name, int widthChars) {
    QLineEdit* box = addBox(name, widthChars);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    // On the form's own colour, so it does not look like a box to type in.
    QPalette shown = box->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    box->setPalette(shown);
    return box;
}

bool frmCustomer::Start(const QString& key) {
    if (!IsMemberNumber(key)) {
        m_ctx.messages.show(QStringLiteral("Customer ID must be numeric!"), MsgIcon::Exclamation);
        return false;
    }
    m_mode = LoadCustomer(m_ctx.db, m_ctx.clock, key, m_rec);
    showRecord();
    txtCustomerID->setEnabled(m_mode.IdEditable);
    cmdDelete->setEnabled(!m_mode.IsNew);
    setWindowTitle(m_mode.IsNew ? QStringLiteral("Customer (New) ")
                                : QStringLiteral("Customer (Update) "));
    if (m_mode.IdEditable) {
        txtCustomerID->setFocus();
        SelectAllText(txtCustomerID);
    } else {
        txtEnglishName->setFocus();
    }
    return true;
}

void frmCustomer::showRecord() {
    const CustomerEntry entry = EntryFromRecord(m_rec);
    showText(txtCustomerID, entry.CustomerID);
    showText(txtActive, entry.Active);
    showText(txtJoinDate, entry.JoinDate);
    showText(txtHKID, entry.HKID);
    showText(txtHKResident, entry.HKResident);
    showText(txtChineseName, entry.ChineseName);
    showText(txtEnglishName, entry.EnglishName);
    showText(txtSex, entry.Sex);
    showText(txtBirthDate, entry.BirthDate);
    showText(txtAddress, entry.Address);
    showText(txtPhone1, entry.Phone1);
    showText(txtPhone2, entry.Phone2);
    showText(txtPhone3, entry.Phone3);
    showText(txtRemarks1, entry.Remarks1);
    showText(txtRemarks2, entry.Remarks2);
    showText(txtTransRemarks, m_rec.TransRemarks);
    showText(txtRentTimes, FormatCount(m_rec.RentTimes));
    showText(txtGoodTimes, FormatCount(m_rec.GoodTimes));
    showText(txtLateTimes, FormatCount(m_rec.LateTimes));
    showText(txtBadTimes, FormatCount(m_rec.BadTimes));
    showText(txtBuyCount, FormatCount(m_rec.BuyCount));
    showText(txtLastRentDate, DateToDisplay(m_rec.LastRentDate));
}

CustomerEntry frmCustomer::readEntry() const {
    CustomerEntry entry;
    entry.CustomerID = txtCustomerID->text();
    entry.Active = txtActive->text();
    entry.JoinDate = txtJoinDate->text();
    entry.HKID = txtHKID->text();
    entry.HKResident = txtHKResident->text();
    entry.ChineseName = txtChineseName->text();
    entry.EnglishName = txtEnglishName->text();
    entry.Sex = txtSex->text();
    entry.BirthDate = txtBirthDate->text();
    entry.Address = txtAddress->text();
    entry.Phone1 = txtPhone1->text();
    entry.Phone2 = txtPhone2->text();
    entry.Phone3 = txtPhone3->text();
    entry.Remarks1 = txtRemarks1->text();
    entry.Remarks2 = txtRemarks2->text();
    return entry;
}

bool frmCustomer::previewKey(QKeyEvent& key) {
    if (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (key.key() == Qt::Key_F12)
        save();
    else if (key.key() == Qt::Key_Escape)
        close();
    else
        return false;
    return true;
}

void frmCustomer::save() {
    const CustomerEntry entry = readEntry();
    const QString problem = ValidateCustomer(m_ctx.db, entry, m_mode.IsNew ? 0 : m_rec.RAWID);
    if (!problem.isEmpty()) {
        m_ctx.messages.show(problem, MsgIcon::Exclamation);
        return;
    }
    const Claim saved = SaveCustomer(m_ctx.db, m_ctx.clock, m_mode, entry, m_rec);
    const QString mode = m_mode.IsNew ? QStringLiteral("(New)") : QStringLiteral("(Update)");
    if (saved == Claim::Changed) {
        m_ctx.messages.show(RecordChangedText(Record::Customer, m_rec.CustomerID),
                            MsgIcon::Exclamation);
        return;
    }
    if (saved == Claim::Failed) {
        m_ctx.messages.show(QStringLiteral("Customer %1 failed!").arg(mode), MsgIcon::Exclamation);
        return;
    }
    m_ctx.messages.show(QStringLiteral("Customer %1 saved successfully").arg(mode),
                        MsgIcon::Information);
    close();
}

// A member whose number orders or sales carry is kept, so those records keep their owner.
void frmCustomer::deleteCustomer() {
    if (m_mode.IsNew)
        return;
    if (HasTransactionRecords(m_ctx.db, m_rec)) {
        m_ctx.messages.show(QStringLiteral("Customer has transaction records, cannot delete!"),
                            MsgIcon::Exclamation);
        return;
    }
    const int answer =
        m_ctx.messages.show(QStringLiteral("Deleted record cannot be restored!\rConfirm delete?"),
                            MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == AnswerYes && DeleteCustomer(m_ctx.db, m_rec.RAWID))
        close();
}

// The card as the boxes show the member, saved or not.
void frmCustomer::printCard() {
    const MemberCard card{m_ctx.ShopName, txtCustomerID->text().trimmed(),
                          txtEnglishName->text().trimmed(), txtChineseName->text().trimmed(),
                          txtJoinDate->text()};
    showLabelPrint(printMemberCard(card), m_ctx.messages, this);
}
