#pragma once

#include "dbfile.h"

#include <QString>

class MessageService;

// What `vormel-db create` puts into a new shop, stamped now: the base rows, the shop's name
// when one is given, and the demo shop when asked for.
WorkingFileSpec newShopSpec(bool demo, const QString& shopName);

// A new file at `target`, or the shop in the empty server database `target` names; false with
// `error` set, and nothing left behind but at most a server database's empty tables.
bool createShop(const QString& target, const WorkingFileSpec& spec, MessageService& messages,
                QString& error);
