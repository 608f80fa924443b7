#pragma once

#include "benchrun.h"

// The close of the main window (compaction and backup) on a scratch copy of the shop file,
// so the file under measurement is never rotated. Empty with `error` set when the copy fails.
QList<BenchCase> closeCases(const QString& path, QString& error);
