#pragma once

#include <QDate>

class Connection;

// Adds a small shop to try things on to a working file that holds the base rows: about sixty
// members, forty titles with their copies, sale codes, and four weeks of counter history
// ending on `today`, with some rentals still out and some of those overdue. The same date
// always gives the same shop. One transaction: all or nothing.
bool addDemoShop(Connection& db, const QDate& today);
