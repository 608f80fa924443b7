#include "dbfile.h"

#include "Connection.h"
#include "baserows.h"
#include "newfile.h"
#include "schema.h"
#include "shopinfo.h"

#include <QFileInfo>

namespace {

// The base rows and everything else the new shop is to hold (demo, name), in one transaction.
bool fillShop(Connection& db, const WorkingFileSpec& spec, QString& error) {
    bool ok = db.OpenDatabase();
    if (ok) {
        TransactionGuard transaction(db);
        ok = transaction.begun() && writeBaseRows(db, spec.created) &&
             (spec.shopName.isEmpty() || SetShopName(db, spec.shopName)) &&
             (!spec.fill || spec.fill(db)) && transaction.commit();
    }
    db.CloseDatabase();
    if (!ok)
        error = db.LastError().isEmpty() ? QStringLiteral("the rows could not be written")
                                         : db.LastError();
    return ok;
}

} // namespace

bool createWorkingFile(const QString& path, const WorkingFileSpec& spec, MessageService& messages,
                       QString& error) {
    return placeNewFile(
        path,
        [&](const QString& file, QString& buildError) {
            if (!createSchemaFile(file, buildError))
                return false;
            Connection db(messages, QFileInfo(file).absolutePath());
            return fillShop(db, spec, buildError);
        },
        error);
}

bool createWorkingShop(const ShopPlace& place, const WorkingFileSpec& spec,
                       MessageService& messages, QString& error) {
    if (!createSchemaOnServer(place, error))
        return false;
    Connection db(messages, place);
    if (fillShop(db, spec, error))
        return true;
    error += QStringLiteral("\n%1 now holds the shop's empty tables and no rows; drop the "
                            "database and make it again before the next try")
                 .arg(place.address());
    return false;
}
