#include "shopinfo.h"

#include "Connection.h"
#include "dbvalue.h"

QString GetShopName(Connection& db) {
    auto q = db.run(QStringLiteral("SELECT ShopName FROM ShopInfo LIMIT 1"), {},
                    QStringLiteral("GetShopName"));
    return q && q->next() ? readText(q->value(0)) : QString();
}

bool SetShopName(Connection& db, const QString& name) {
    TransactionGuard tx(db);
    return tx.begun() &&
           db.write(QStringLiteral("DELETE FROM ShopInfo"), {}, QStringLiteral("SetShopName")) &&
           db.write(QStringLiteral("INSERT INTO ShopInfo (ShopName) VALUES (?)"), {name},
                    QStringLiteral("SetShopName")) &&
           tx.commit();
}
