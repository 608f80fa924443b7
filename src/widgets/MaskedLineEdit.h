#pragma once

#include <QLineEdit>

// A box for dates, months, years and small numbers typed into fixed places. A mask holds
// digit places ("9") and literals ("/"): "99/99/9999", "99/9999", "9999", "99". text() reads
// as the shop's screens expect: literals included and every place not typed yet shown as the
// prompt character, so an untouched date box reads "  /  /    ".
class MaskedLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit MaskedLineEdit(const QString& mask, QChar prompt = QLatin1Char(' '),
                            QWidget* parent = nullptr);

    // Hides QLineEdit::text(), which would drop the literals and the untouched places.
    QString text() const { return displayText(); }
};
