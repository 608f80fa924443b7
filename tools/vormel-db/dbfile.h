#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class Connection;
class MessageService;
struct ShopPlace;

// What goes into a new working shop besides the schema and the base rows.
struct WorkingFileSpec {
    // Stamps the base rows.
    QDateTime created;
    // Stored in ShopInfo when not empty.
    QString shopName;
    // More rows, e.g. the demo shop; false abandons the shop.
    std::function<bool(Connection&)> fill;
};

// Makes a complete working database file at `path`, as placeNewFile() places it: on failure
// nothing is left behind and `error` says why; "PATH already exists" when the path was taken.
// Database errors also go to `messages`.
bool createWorkingFile(const QString& path, const WorkingFileSpec& spec, MessageService& messages,
                       QString& error);

// Makes a complete working shop in an empty database on a server. The schema is made first,
// then every row in one transaction: a failure leaves at most the empty schema, and `error`
// says so. A database that holds a shop already is refused and left alone.
bool createWorkingShop(const ShopPlace& place, const WorkingFileSpec& spec,
                       MessageService& messages, QString& error);
