#pragma once

#include <QString>

#include <functional>

// Copies a whole shop between any two places, each a file of any name or a server address
// ("postgresql://..."): every row of every table of the schema, values as they are stored.
// The source is only read, within one snapshot. The destination must be new: a file that does
// not exist yet, or a server database holding no shop. The schema and every row are written
// in one transaction there and the row counts of every table compared before it commits; a
// file appears under its name only once complete. Whatever fails, or if the process is killed,
// the destination is left as it was (an empty server database stays empty) and `error` says
// why. `progress` gets a line per table and one every 50,000 rows of a table.
bool copyShop(const QString& source, const QString& destination,
              const std::function<void(const QString&)>& progress, QString& error);
