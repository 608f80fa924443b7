#include "startup.h"

#include "AppContext.h"
#include "Clock.h"
#include "Connection.h"
#include "shopinfo.h"

#include <QCoreApplication>
#include <QThread>
#include <QWidget>

bool InitCodes(AppContext& ctx) {
    if (!ctx.db.OpenDatabase())
        return false;

    ctx.OpCodes.ID = QStringLiteral("1");
    if (!GetOpCodes(ctx.db, ctx.OpCodes))
        ctx.OpCodes = OpCodeRec::defaults();

    ctx.CategoryList.clear();
    if (!GetCategories(ctx.db, ctx.CategoryList, true))
        ctx.messages.show(QStringLiteral("debug: error in getting category codes"));

    ctx.ItemStatusList.clear();
    if (!GetItemStatuses(ctx.db, ctx.ItemStatusList, true))
        ctx.messages.show(QStringLiteral("debug: error in getting ItemStatus codes"));

    ctx.ReopenTransaction = false;
    ctx.CurrentEmployeeID = QStringLiteral("13");
    ctx.ShopName = GetShopName(ctx.db);
    return true;
}

void ShowSplash(QWidget& splash, const Clock& clock) {
    const qint64 start = clock.elapsedMs();
    splash.show();
    while (clock.elapsedMs() - start < SplashMs) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    splash.close();
}
