#include "AppContext.h"
#include "AppIdentity.h"
#include "AppScreens.h"
#include "BoxMessageService.h"
#include "Clock.h"
#include "Connection.h"
#include "SingleInstance.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

int main(int argc, char* argv[]) {
    nameLocalTimeZone();
    QApplication app(argc, argv);
    nameApplication();

    BoxMessageService messages;
    SingleInstance instance;
    if (!instance.tryLock()) {
        // Not an error: the copy already running carries on.
        messages.show(QStringLiteral("Vormel is already running!"), MsgIcon::Exclamation);
        return 0;
    }

    SystemClock clock;
    {
        frmAbout splash(QString{});
        ShowSplash(splash, clock);
    }

    // The shop's database is the one the user's settings name, by default the one in the
    // folder the program was started from.
    QSettings settings(QStringLiteral("Vormel"), QStringLiteral("Vormel"));
    const std::optional<ShopPlace> place = ChooseShop(settings, QDir::currentPath(), messages);
    if (!place)
        return 1;
    Connection db(messages, *place);
    AppContext ctx(db, messages, clock, settings);
    if (!InitCodes(ctx))
        return 1;

    AppScreens screens(ctx);
    frmMain mainWindow(ctx, screens);
    screens.attach(mainWindow);
    mainWindow.show();
    return app.exec();
}
