#include "frmAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* centredLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmAbout::frmAbout(const QString& shopName, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vormel"));

    auto* title = centredLabel(QStringLiteral("Vormel"), QStringLiteral("lblTitle"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    title->setFont(big);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(centredLabel(QStringLiteral("Version " VORMEL_VERSION),
                                   QStringLiteral("lblVersion"), this));
    auto* shop = centredLabel(shopName, QStringLiteral("lblShopName"), this);
    shop->setVisible(!shopName.isEmpty());
    layout->addWidget(shop);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}
