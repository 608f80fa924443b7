#include "labelwindows.h"

#include "MessageService.h"
#include "ReportPreview.h"
#include "labelprint.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

QComboBox* newCombo(QWidget* parent, const QString& name, const QStringList& items, int current) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(current);
    return combo;
}

} // namespace

bool askLabelOptions(QWidget* parent, int all, int selected, LabelOptions& options) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgLabels"));
    dialog.setWindowTitle(QStringLiteral("Labels"));
    auto* form = new QFormLayout(&dialog);
    QComboBox* stock = newCombo(&dialog, QStringLiteral("cboLabelStock"),
                                {QStringLiteral("A4 sheet, 3 x 8 labels of 70 x 37 mm"),
                                 QStringLiteral("62 mm roll, label printer")},
                                options.stock == LabelStock::Sheet ? 0 : 1);
    auto* offset = new QSpinBox(&dialog);
    offset->setObjectName(QStringLiteral("spnLabelOffset"));
    offset->setRange(0, LabelsPerSheet - 1);
    offset->setValue(options.offset);
    QObject::connect(stock, &QComboBox::currentIndexChanged, offset,
                     [offset](int index) { offset->setEnabled(index == 0); });
    offset->setEnabled(stock->currentIndex() == 0);
    QComboBox* copies = newCombo(&dialog, QStringLiteral("cboLabelCopies"),
                                 {QStringLiteral("All copies (%1)").arg(all),
                                  QStringLiteral("Selected copies (%1)").arg(selected)},
                                 selected > 0 ? 1 : 0);
    copies->setEnabled(selected > 0);
    form->addRow(QStringLiteral("Print on:"), stock);
    form->addRow(QStringLiteral("Used labels to skip:"), offset);
    form->addRow(QStringLiteral("Copies:"), copies);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options.stock = stock->currentIndex() == 0 ? LabelStock::Sheet : LabelStock::Roll;
    options.offset = options.stock == LabelStock::Sheet ? offset->value() : 0;
    options.selectedOnly = copies->currentIndex() == 1;
    return true;
}

void showLabelPrint(const LabelPrint& print, MessageService& messages, QWidget* parent) {
    if (!print.message.isEmpty())
        messages.show(print.message, MsgIcon::Exclamation);
    if (!print.content)
        return;
    auto* preview = new ReportPreview(*print.content, messages, parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
}
