#pragma once

#include <QString>

class Connection;

// The shop's name kept in the database file; empty when none is stored.
QString GetShopName(Connection& db);
bool SetShopName(Connection& db, const QString& name);
