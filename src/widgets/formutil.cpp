#include "formutil.h"

#include "MessageService.h"

#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>

int twipsToPixels(int twips) {
    return qRound(double(twips) / TwipsPerPixel);
}

int pixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

void ConfirmDiscard(MessageService& messages, QWidget& form, bool changed, int& discardAnswer) {
    discardAnswer = AnswerYes;
    if (changed)
        discardAnswer =
            messages.show(QStringLiteral("Data changed will not be saved!\rConfirm exit?"),
                          MsgIcon::Question, MsgButtons::YesNoCancel);
    if (discardAnswer == AnswerYes)
        form.close();
}

void SelectAllText(QLineEdit* box) {
    box->setSelection(0, box->text().size());
}

namespace {

QString heading(const QTableWidget& grid, int column) {
    const QTableWidgetItem* item = grid.horizontalHeaderItem(column);
    return item ? item->text() : QString();
}

} // namespace

void SaveColumnWidths(const QTableWidget& grid, QSettings& settings) {
    settings.beginGroup(grid.objectName());
    for (int column = 0; column < grid.columnCount(); ++column) {
        const QString key = heading(grid, column);
        if (!key.isEmpty())
            settings.setValue(key, QString::number(pixelsToTwips(grid.columnWidth(column))));
    }
    settings.endGroup();
}

void ReadColumnWidths(QTableWidget& grid, QSettings& settings) {
    settings.beginGroup(grid.objectName());
    for (int column = 0; column < grid.columnCount(); ++column) {
        const QString key = heading(grid, column);
        bool ok = false;
        const int twips = key.isEmpty() ? 0 : settings.value(key).toString().toInt(&ok);
        if (ok && twips > 0)
            grid.setColumnWidth(column, twipsToPixels(twips));
    }
    settings.endGroup();
}
