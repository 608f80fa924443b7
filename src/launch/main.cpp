// vormel-launch: what the menu entry starts. It finds the shop the user's settings name (asking
// on the first run, or when the shop's file is gone) and starts vormel on it.

#include "AppIdentity.h"
#include "BoxMessageService.h"
#include "Clock.h"
#include "FirstRunDialog.h"
#include "shopsetup.h"

#include <QApplication>
#include <QProcess>
#include <QSettings>

int main(int argc, char* argv[]) {
    nameLocalTimeZone();
    QApplication app(argc, argv);
    nameApplication();

    BoxMessageService messages;
    const QString vormel = findVormel(QApplication::applicationDirPath());
    if (vormel.isEmpty()) {
        messages.show(QStringLiteral("The vormel program is neither beside vormel-launch nor on "
                                     "the PATH"),
                      MsgIcon::Critical);
        return 1;
    }
    QSettings settings(QStringLiteral("Vormel"), QStringLiteral("Vormel"));
    const SavedShop saved = readSavedShop(settings);
    std::optional<ShopPlace> place = saved.place;
    if (!place) {
        FirstRunDialog dialog(settings, messages, saved.reason);
        if (dialog.exec() != QDialog::Accepted)
            return 1;
        place = dialog.place();
    }
    if (QProcess::startDetached(vormel, {}, startFolder(*place)))
        return 0;
    messages.show(QStringLiteral("%1 could not be started").arg(vormel), MsgIcon::Critical);
    return 1;
}
