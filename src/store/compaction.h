#pragma once

#include <functional>

class Connection;

// Compacts Flicka.mdb, keeping the file as it was just before in Flicka_O.mdb. At every
// instant the folder holds a complete Flicka.mdb; a failure leaves the live file as it was.
// The connection is open again afterwards either way. False after an error report.
// `afterCopy` runs between making the compacted copy and checking it (tests damage it there).
bool CompactAndBackup(Connection& db, const std::function<void()>& afterCopy = {});

// Compact DB: the file compacted as above, or on a server the shop's tables vacuumed and their
// statistics brought up to date. False after an error report.
bool CompactShop(Connection& db);

// Whether closing the program compacts the database. A server vacuums its tables by itself, and
// a backup beside the live file means nothing there.
bool CompactsOnClose(const Connection& db);
