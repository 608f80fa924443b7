#pragma once

#include "counterlog.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class Connection;

// The shop as the load test found it: how many rows its trade tables hold, and the rows that
// already broke a rule of the shop before the counters started (a generated shop's history
// may hold some), so that only what the run did is judged.
struct ShopCensus {
    QHash<QString, qint64> rows;
    QHash<QString, QSet<QString>> broken;
};

// False when the shop could not be read.
bool takeCensus(Connection& db, ShopCensus& census);

// Everything the run may have done wrong, one line each; empty when the shop holds exactly
// what the stored saves wrote and no more (a visit of unknown outcome may have added its rows
// or not), every such save's rows are there, no copy is out twice or marked wrongly, no
// charge was collected twice, no member has two open orders and no number was handed out
// twice. Not reading the shop counts as a violation too.
QStringList checkShop(Connection& db, const ShopCensus& before, const QList<CounterVisit>& visits);
