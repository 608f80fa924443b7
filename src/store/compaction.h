#pragma once

#include <functional>

class Connection;

// Compacts Flicka.mdb, keeping the file as it was just before in Flicka_O.mdb. At every
// instant the folder holds a complete Flicka.mdb; a failure leaves the live file as it was.
// The connection is open again afterwards either way. False after an error report.
// `afterCopy` runs between making the compacted copy and checking it (tests damage it there).
bool CompactAndBackup(Connection& db, const std::function<void()>& afterCopy = {});
