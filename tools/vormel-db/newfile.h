#pragma once

#include <QString>

#include <functional>

// Writes the new file it is given (a path that does not exist yet); false with `error` set.
using FileBuilder = std::function<bool(const QString& file, QString& error)>;

// Makes a new file at `path` that appears there only complete: `build` writes it under a
// temporary name (Flicka.mdb in a hidden folder of its own beside `path`, so that it can be
// opened as the program opens its own) and it is moved into place afterwards,
// never over an existing file (not even one that appeared meanwhile). On failure nothing is
// left behind and `error` says why; "PATH already exists" when the path was taken. A process
// killed half way leaves only its hidden folder, never a file under `path`.
bool placeNewFile(const QString& path, const FileBuilder& build, QString& error);
