#pragma once

#include "catalogue.h"

#include <QDateTime>

class Connection;

// The category every working file has: "VIDEO", 15.00 for three days, 10.00 a day late.
CategoryRec videoCategory(const QDateTime& created);

bool insertCategory(Connection& db, const CategoryRec& c);

// The rows every working file starts with: item statuses "0"-"4", payment types "0"-"3", the
// OpCode row with the default codes, SerialNo with every counter at 1, one RptDailyTx row
// and the video category "V". One transaction; `created` stamps the rows.
bool writeBaseRows(Connection& db, const QDateTime& created);
