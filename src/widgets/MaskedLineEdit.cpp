#include "MaskedLineEdit.h"

namespace {

// A digit place becomes an optional digit; every other character stands for itself.
QString inputMaskFor(const QString& mask, QChar prompt) {
    QString qtMask;
    for (QChar c : mask) {
        if (c == QLatin1Char('9'))
            qtMask += QLatin1Char('0');
        else
            qtMask += QLatin1Char('\\') + c;
    }
    return qtMask + QLatin1Char(';') + prompt;
}

} // namespace

MaskedLineEdit::MaskedLineEdit(const QString& mask, QChar prompt, QWidget* parent)
    : QLineEdit(parent) {
    setInputMask(inputMaskFor(mask, prompt));
}
