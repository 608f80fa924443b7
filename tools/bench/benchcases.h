#pragma once

#include "benchrun.h"

#include <QList>

class BenchShop;

// What the benchmark times, in the order it prints them: the counter's work (finding a member,
// opening a visit, looking up an item, saving a visit), the period summaries and the ranking
// work tables, then the reports. Another kind of work is one more entry in the list.
QList<BenchCase> benchCases(BenchShop& shop);
