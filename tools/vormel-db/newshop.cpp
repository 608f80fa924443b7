#include "newshop.h"

#include "Clock.h"
#include "ShopPlace.h"
#include "demo.h"
#include "utility.h"

WorkingFileSpec newShopSpec(bool demo, const QString& shopName) {
    const SystemClock clock;
    WorkingFileSpec spec;
    spec.created = NowStamp(clock);
    spec.shopName = shopName;
    if (demo) {
        const QDate today = spec.created.date();
        spec.fill = [today](Connection& db) { return addDemoShop(db, today); };
    }
    return spec;
}

bool createShop(const QString& target, const WorkingFileSpec& spec, MessageService& messages,
                QString& error) {
    if (!ShopPlace::isAddress(target))
        return createWorkingFile(target, spec, messages, error);
    const std::optional<ShopPlace> place = ShopPlace::fromAddress(target, error);
    return place && createWorkingShop(*place, spec, messages, error);
}
