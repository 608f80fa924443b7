#pragma once

#include "rows.h"

#include <QDate>
#include <QList>

class Connection;
class DemoRandom;

namespace demo {

// Sixty members numbered 001001 up in the order they joined, the last five within the last
// four weeks. Among them four whose membership is no longer valid, six under 18 and four
// visitors who are not local residents.
QList<rows::Customer> buildMembers(const QDate& today, DemoRandom& random);

bool writeMembers(Connection& db, const QList<rows::Customer>& members);

} // namespace demo
