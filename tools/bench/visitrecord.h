#pragma once

#include "counterlog.h"

class Visit;

// What the load test logs of a visit, read from the visit model. Before its save: the most
// rows the save can add, and the charges it will settle and pay, as the save decides them.
void planVisit(CounterVisit& v, const Visit& visit);
// After a stored save: its new order and lines, the lines it returned and renewed, and the
// charge and sale rows it added, from the visit as the save left it.
void recordSaved(CounterVisit& v, const Visit& visit, bool newOrder);
